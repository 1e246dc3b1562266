#pragma once
// Feed files read and copies written through Win32 handles, failing with the messages the
// user sees.
#include <cstdint>
#include <string>

#include "base/win/file.h"
#include "feed/feed_conversion.h"
#include "feed/feed_text.h"

// Open for reading while others may read too. Throws Error.
class FeedFileSource : public ByteSource {
 public:
  explicit FeedFileSource(const std::u16string& path);
  std::uint64_t size() const { return size_; }
  std::size_t Read(char* buffer, std::size_t size) override;
  void Rewind() override;

 private:
  File file_;
  std::uint64_t size_ = 0;
};

// Created afresh, replacing a file of that name. Throws Error.
class CopyFileSink : public CopySink {
 public:
  explicit CopyFileSink(const std::u16string& path);
  void Write(const char* bytes, std::size_t size) override;
  void Close() override;

 private:
  File file_;
};
