#include "feed/win/feed_files.h"

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "feed/feed_failure_texts.h"

FeedFileSource::FeedFileSource(const std::u16string& path)
    : file_(OpenFileOrThrow(path,
                            {.access = GENERIC_READ,
                             .share = FILE_SHARE_READ,
                             .disposition = OPEN_EXISTING,
                             .flags = FILE_FLAG_SEQUENTIAL_SCAN},
                            kFileNotOpened)) {
  const auto size = file_.Size();
  if (!size) throw Error(FormatText(kFileNotOpened, {path, LastErrorText()}));
  size_ = *size;
}

std::size_t FeedFileSource::Read(char* buffer, std::size_t size) {
  const auto got = file_.ReadSome(buffer, size);
  if (!got) throw Error(kFeedReadFailed);
  return *got;
}

void FeedFileSource::Rewind() {
  if (!file_.Seek(0)) throw Error(kFeedReadFailed);
}

CopyFileSink::CopyFileSink(const std::u16string& path)
    : file_(OpenFileOrThrow(path,
                            {.access = GENERIC_WRITE,
                             .share = FILE_SHARE_READ,
                             .disposition = CREATE_ALWAYS,
                             .flags = FILE_ATTRIBUTE_NORMAL},
                            kFileNotCreated)) {}

void CopyFileSink::Write(const char* bytes, std::size_t size) {
  if (!file_.WriteAll(bytes, size)) throw Error(kStreamWriteFailed);
}

void CopyFileSink::Close() {
  if (!file_.Close()) throw Error(kStreamWriteFailed);
}
