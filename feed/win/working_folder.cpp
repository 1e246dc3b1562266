#include "feed/win/working_folder.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <array>

#include "base/error.h"
#include "base/win/executable_path.h"
#include "base/win/system_error_text.h"
#include "base/win/unique_handle.h"
#include "base/win/wide.h"
#include "feed/folder_paths.h"

namespace {

// The shortest working folder, a drive's "X:\GTFS_TEMP", has 12 characters: a shorter path is
// none, and could name a drive or a folder near its root.
constexpr std::size_t kLongestRefusedPath = 11;
// Each of the request's two path buffers, which hold a list of paths ended by two NULs.
constexpr std::size_t kRequestBufferUnits = 1001;
constexpr std::size_t kListEndUnits = 2;

}  // namespace

std::u16string ExeFolder() {
  return FolderOfPath(ExecutablePath());
}

std::u16string WorkingFolder() {
  return ExeFolder() + u"GTFS_TEMP";
}

int32_t DeleteWorkingFolder(HWND owner, const std::u16string& folder) {
  if (folder.size() <= kLongestRefusedPath) return -1;
  const std::u16string_view path = TrimmedPath(folder);
  using Buffer = std::array<wchar_t, kRequestBufferUnits>;
  if (path.size() + kListEndUnits > kRequestBufferUnits) return 1;
  Buffer from{}, to{};
  std::copy(path.begin(), path.end(), from.begin());
  to = from;
  SHFILEOPSTRUCTW request{};
  request.hwnd = owner;
  request.wFunc = FO_DELETE;
  request.pFrom = from.data();
  request.pTo = to.data();
  request.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
  return SHFileOperationW(&request);
}

std::vector<std::u16string> ListFeedFiles(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW entry;
  UniqueFind find(FindFirstFileExW(AsWide(folder + u"\\*.*"), FindExInfoBasic, &entry,
                                   FindExSearchNameMatch, nullptr, 0));
  if (!find) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
    throw Error(LastErrorText());
  }
  constexpr DWORD kLeftOut =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  do {
    if ((entry.dwFileAttributes & kLeftOut) == 0) names.push_back(FromWide(entry.cFileName));
  } while (FindNextFileW(find.get(), &entry));
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, AsWide(a), -1, AsWide(b), -1) ==
           CSTR_LESS_THAN;
  });
  return names;
}
