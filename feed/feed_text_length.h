#pragma once
// The length of a feed text in UTF-16 units, counted in a pass ahead of decoding so that the
// text gets exactly the memory it needs.
#include <cstddef>
#include <cstdint>

// Counts the units FeedTextDecoder writes for the same bytes, fed in pieces of any size: exact
// for strict UTF-8, and for other bytes never below what the decoder writes before refusing them.
class FeedTextLength {
 public:
  void Add(const unsigned char* in, std::size_t size);
  std::uint64_t units() const { return units_; }

 private:
  std::uint64_t units_ = 0;
  bool after_cr_ = false;  // the last byte added was a CR
};
