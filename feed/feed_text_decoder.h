#pragma once
// Feed bytes, chunk by chunk, to UTF-16 with every line break as CR LF: CR LF stays, any other
// CR and any LF not preceded by CR become CR LF.
#include <cstddef>

class FeedTextDecoder {
 public:
  // The output room Decode needs for size input bytes: each byte gives at most two units, and
  // the wide stores run up to 16 units ahead.
  static constexpr std::size_t OutputRoom(std::size_t size) { return 2 * size + 16; }

  // Decodes in[0, size) to out and returns the units written. A sequence cut short at the end
  // is left unread and counted in pending(); it must lead the next call's bytes. Throws Error
  // on invalid UTF-8.
  std::size_t Decode(const unsigned char* in, std::size_t size, char16_t* out);
  std::size_t pending() const { return pending_; }
  // Throws Error when the bytes ended inside a sequence.
  void Finish() const;

 private:
  bool skip_lf_ = false;  // the last chunk ended with a CR
  std::size_t pending_ = 0;
};
