#include "feed/zip/win/windows_zip_file_system.h"

#include <windows.h>

#include <algorithm>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/unique_handle.h"
#include "base/win/wide.h"

namespace {

constexpr DWORD kMaxTransfer = 1 << 30;

class WindowsSource : public ArchiveSource {
 public:
  explicit WindowsSource(UniqueFile file) : file_(std::move(file)) {}
  std::uint64_t Size() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file_.get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }
  void Seek(std::uint64_t position) override {
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(position);
    SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN);
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      DWORD got = 0;
      const auto wanted = static_cast<DWORD>(std::min<std::size_t>(count - done, kMaxTransfer));
      if (!ReadFile(file_.get(), buffer + done, wanted, &got, nullptr) || got == 0) break;
      done += got;
    }
    return done;
  }

 private:
  UniqueFile file_;
};

class WindowsOutputFile : public OutputFile {
 public:
  explicit WindowsOutputFile(UniqueFile file) : file_(std::move(file)) {}
  void Write(const std::uint8_t* data, std::size_t count) override {
    while (count > 0) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(count, kMaxTransfer));
      if (!WriteFile(file_.get(), data, chunk, &written, nullptr) || written == 0) {
        throw Error(kWriteFailureText);
      }
      data += written;
      count -= written;
    }
  }
  void Close() override {
    if (!CloseHandle(file_.release())) throw Error(kWriteFailureText);
  }

 private:
  UniqueFile file_;
};

}  // namespace

// No sharing: no other program can change the archive while it is read.
std::unique_ptr<ArchiveSource> WindowsZipFileSystem::OpenArchive(const std::u16string& path) {
  UniqueFile file(CreateFileW(AsWide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw Error(ArchiveOpenFailureText(path, LastErrorText()));
  return std::make_unique<WindowsSource>(std::move(file));
}

void WindowsZipFileSystem::CreateFolders(const std::u16string& path) {
  for (const auto& folder : FolderChain(path)) CreateDirectoryW(AsWide(folder), nullptr);
}

std::unique_ptr<OutputFile> WindowsZipFileSystem::CreateOutputFile(const std::u16string& path) {
  UniqueFile file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw Error(FileCreateFailureText(path, LastErrorText()));
  return std::make_unique<WindowsOutputFile>(std::move(file));
}

bool WindowsZipFileSystem::FileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// TzSpecificLocalTimeToSystemTime applies the daylight-saving rule of the stamp's own date, so
// the file shows the archived wall-clock time in every season; LocalFileTimeToFileTime would
// apply today's bias instead.
void WindowsZipFileSystem::SetTimes(const std::u16string& path, const DosDateTime& local_time) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(local_time.year);
  local.wMonth = static_cast<WORD>(local_time.month);
  local.wDay = static_cast<WORD>(local_time.day);
  local.wHour = static_cast<WORD>(local_time.hour);
  local.wMinute = static_cast<WORD>(local_time.minute);
  local.wSecond = static_cast<WORD>(local_time.second);
  SYSTEMTIME utc{};
  FILETIME stamp{};
  UniqueFile file(CreateFileW(AsWide(path), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
      !SystemTimeToFileTime(&utc, &stamp) || !SetFileTime(file.get(), &stamp, nullptr, &stamp)) {
    throw Error(LastErrorText());
  }
}

void WindowsZipFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
  if (!SetFileAttributesW(AsWide(path), attributes)) throw Error(LastErrorText());
}
