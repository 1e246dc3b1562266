#include "feed/win/feed_files.h"

#include <algorithm>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"

namespace {
constexpr std::size_t kMaxTransfer = 1u << 30;  // ReadFile and WriteFile count in a DWORD
const std::u16string kReadFailed = u"ストリームの読み込みエラー";
}  // namespace

FeedFileSource::FeedFileSource(const std::u16string& path)
    : file_(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
  LARGE_INTEGER size;
  if (!file_ || !GetFileSizeEx(file_.get(), &size)) {
    throw Error(FormatText(u"ファイル %s は開けません。 %s ", {path, LastErrorText()}));
  }
  size_ = static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t FeedFileSource::Read(char* buffer, std::size_t size) {
  DWORD got = 0;
  if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &got,
                nullptr)) {
    throw Error(kReadFailed);
  }
  return got;
}

void FeedFileSource::Rewind() {
  if (!SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
    throw Error(kReadFailed);
  }
}

CopyFileSink::CopyFileSink(const std::u16string& path)
    : file_(CreateFileW(AsWide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (!file_) {
    throw Error(FormatText(u"ファイル \"%s\" を作成できません。%s", {path, LastErrorText()}));
  }
}

void CopyFileSink::Write(const char* bytes, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD part = static_cast<DWORD>(std::min(size, kMaxTransfer));
    if (!WriteFile(file_.get(), bytes, part, &written, nullptr) || written != part) {
      throw Error(u"ストリームへの書き込みエラー");
    }
    bytes += part, size -= part;
  }
}
