#pragma once
// Feed text streams over memory, for the tests and the fuzz entry.
#include <algorithm>
#include <string>
#include <string_view>

#include "feed/feed_text.h"

// Hands out the bytes at most `step` at a time.
class MemorySource : public ByteSource {
 public:
  MemorySource(std::string_view bytes, std::size_t step)
      : bytes_(bytes), rest_(bytes), step_(step) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, step_, rest_.size()});
    rest_.copy(buffer, n);
    rest_.remove_prefix(n);
    return n;
  }
  void Rewind() override { rest_ = bytes_; }

 private:
  std::string_view bytes_, rest_;
  std::size_t step_;
};

class MemorySink : public ByteSink {
 public:
  void Write(const char* bytes, std::size_t size) override { written.append(bytes, size); }
  std::string written;
};
