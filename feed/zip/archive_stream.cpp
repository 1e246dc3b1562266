#include "feed/zip/archive_stream.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kBufferSize = 256 * 1024;
}

ArchiveStream::ArchiveStream(ArchiveSource& source)
    : source_(source), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)) {}

void ArchiveStream::Seek(std::uint64_t position) {
  limit_ = kNoLimit;
  if (position >= buffer_position_ && position - buffer_position_ <= end_) {
    begin_ = static_cast<std::size_t>(position - buffer_position_);
    return;
  }
  source_.Seek(position);
  buffer_position_ = position;
  begin_ = end_ = 0;
}

std::span<const std::uint8_t> ArchiveStream::Peek() {
  if (begin_ == end_) {
    buffer_position_ += end_;
    begin_ = 0;
    end_ = source_.Read(buffer_.get(), kBufferSize);
  }
  const std::uint64_t position = buffer_position_ + begin_;
  const std::uint64_t room = position < limit_ ? limit_ - position : 0;
  return {buffer_.get() + begin_,
          static_cast<std::size_t>(std::min<std::uint64_t>(end_ - begin_, room))};
}

void ArchiveStream::Skip(std::size_t count) {
  begin_ += count;
}

std::size_t ArchiveStream::Read(std::uint8_t* out, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const auto available = Peek();
    if (available.empty()) break;
    const std::size_t n = std::min(available.size(), count - done);
    std::memcpy(out + done, available.data(), n);
    Skip(n);
    done += n;
  }
  return done;
}
