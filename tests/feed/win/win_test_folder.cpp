#include "tests/feed/win/win_test_folder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/utf.h"
#include "base/win/wide.h"
#include "feed/win/working_folder.h"

TestFolder::TestFolder() {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  path_ = FromWide(temp) + u"feed_test_" + Utf8ToUtf16(std::to_string(GetCurrentProcessId())) +
          u"_" + Utf8ToUtf16(std::to_string(++serial));
  DeleteWorkingFolder(nullptr, path_);
  if (!CreateDirectoryW(AsWide(path_), nullptr)) throw std::runtime_error("no test folder");
}

TestFolder::~TestFolder() {
  DeleteWorkingFolder(nullptr, path_);
}

void WriteFileBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream(AsWide(path), std::ios::binary) << bytes;
}

std::string ReadFileBytes(const std::u16string& path) {
  std::ifstream in(AsWide(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::u16string& path) {
  return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

UniqueWindow HiddenTestWindow() {
  return UniqueWindow(CreateWindowExW(0, L"STATIC", L"feed tests", WS_OVERLAPPED, 0, 0, 0, 0,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}
