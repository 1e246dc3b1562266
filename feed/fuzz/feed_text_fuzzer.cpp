// Checks the streamed feed text against a plain reference on any bytes, torn at any seam.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/base/error.h"
#include "feed/feed_text.h"
#include "feed/feed_text_decoder.h"
#include "feed/strict_utf8.h"

namespace {

class BytesSource : public ByteSource {
 public:
  explicit BytesSource(std::string_view bytes) : rest_(bytes) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, rest_.size());
    rest_.copy(buffer, n);
    rest_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view rest_;
};

class StringSink : public ByteSink {
 public:
  void Write(const char* bytes, std::size_t size) override { written.append(bytes, size); }
  std::string written;
};

// Line breaks to CR LF one byte at a time; breaks are ASCII, so this is safe on UTF-8.
std::string NormalisedBreaks(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      out += "\r\n";
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      out += bytes[i];
    }
  }
  return out;
}

// The decoder fed in pieces whose lengths come from the seam byte.
bool DecodeInPieces(std::string_view bytes, unsigned seam, std::u16string& text) {
  std::string carried;
  FeedTextDecoder decoder;
  std::vector<char16_t> out;
  try {
    while (!bytes.empty()) {
      const std::size_t take = std::min<std::size_t>(bytes.size(), seam % 5 + 1);
      seam = seam * 33 + 7;
      std::string piece = carried + std::string(bytes.substr(0, take));
      bytes.remove_prefix(take);
      out.resize(FeedTextDecoder::OutputRoom(piece.size()));
      const auto* in = reinterpret_cast<const unsigned char*>(piece.data());
      text.append(out.data(), decoder.Decode(in, piece.size(), out.data()));
      carried = piece.substr(piece.size() - decoder.pending());
    }
    decoder.Finish();
    return true;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned seam = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string_view body = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
  const std::string normalised = NormalisedBreaks(body);
  std::u16string expected;
  const bool valid = DecodeStrictUtf8(normalised, expected);

  std::u16string text;
  BytesSource source(bytes);
  try {
    text = ReadFeedText(source, bytes.size());
  } catch (const Error&) {
    if (valid) std::abort();
    return 0;
  }
  if (!valid || text != expected) std::abort();

  std::u16string pieces;
  if (!DecodeInPieces(body, seam, pieces) || pieces != expected) std::abort();

  StringSink copy;
  WriteUtf8WithBom(text, copy);
  if (copy.written != "\xEF\xBB\xBF" + normalised) std::abort();
  if (MakeTabText(text).size() != text.size()) std::abort();
  return 0;
}
