#pragma once
// The open archive read through one bounded buffer: headers are parsed and entry data is
// decompressed straight out of it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "feed/zip/zip_file_system.h"

class ArchiveStream {
 public:
  explicit ArchiveStream(ArchiveSource& source);
  std::uint64_t Size() { return source_.Size(); }
  // Also lifts the limit.
  void Seek(std::uint64_t position);
  // Until the next Seek, reading stops at the position as at the end of the file.
  void LimitTo(std::uint64_t position) { limit_ = position; }
  // The buffered bytes at the current position, refilled when used up; empty at the end.
  std::span<const std::uint8_t> Peek();
  void Skip(std::size_t count);
  // Fewer bytes than asked only at the end of the file.
  std::size_t Read(std::uint8_t* out, std::size_t count);
  bool ReadExact(std::uint8_t* out, std::size_t count) { return Read(out, count) == count; }

 private:
  ArchiveSource& source_;
  std::unique_ptr<std::uint8_t[]> buffer_;  // not zeroed: only what the source gives is read
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t buffer_position_ = 0;  // of buffer_[0]; the source stands at buffer_[end_]
  static constexpr std::uint64_t kNoLimit = UINT64_MAX;
  std::uint64_t limit_ = kNoLimit;
};
