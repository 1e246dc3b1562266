#include "base/utf.h"

#include "base/strict_utf8.h"
#include "base/utf8_encoder.h"

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out(Utf8Room(text.size()), '\0');
  out.resize(EncodeUtf8(text, out.data()));
  return out;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  constexpr char16_t kReplacement = 0xFFFD;
  std::u16string out;
  out.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    if (*p < 0x80) {
      out += static_cast<char16_t>(*p++);
      continue;
    }
    std::size_t length, units;
    char16_t decoded[2];
    if (DecodeUtf8Sequence(p, end, length, decoded, units) == Utf8Sequence::kValid) {
      out.append(decoded, units);
      p += length;
    } else {
      // One substitute per byte that starts no valid sequence; the next byte is tried afresh.
      out += kReplacement;
      ++p;
    }
  }
  return out;
}
