#pragma once
// Strict UTF-8: overlong forms, surrogates, code points above U+10FFFF and sequences cut short
// are refused; nothing is ever replaced by a substitute character.
#include <cstddef>
#include <string>
#include <string_view>

// Appends the UTF-16 form of the bytes to out. False, with out unspecified, on the first
// invalid sequence.
bool DecodeStrictUtf8(std::string_view bytes, std::u16string& out);

enum class Utf8Sequence { kValid, kInvalid, kTruncated };

// Decodes the multi-byte sequence that starts at p (whose lead byte is 0x80 or above) into
// one or two UTF-16 units at out. kTruncated when the bytes up to end could still begin a
// valid sequence. Inline: the feed decoder calls it for every character of Japanese text.
inline Utf8Sequence DecodeUtf8Sequence(const unsigned char* p, const unsigned char* end,
                                       std::size_t& length, char16_t* out, std::size_t& units) {
  const unsigned lead = *p;
  // Second-byte bounds per lead byte rule out overlong forms, surrogates and > U+10FFFF.
  unsigned low = 0x80, high = 0xBF;
  char32_t c;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return Utf8Sequence::kInvalid;
  }
  const std::size_t available = static_cast<std::size_t>(end - p);
  for (std::size_t k = 1; k < length; ++k) {
    if (k == available) return Utf8Sequence::kTruncated;
    const bool fits = k == 1 ? p[1] >= low && p[1] <= high : (p[k] & 0xC0) == 0x80;
    if (!fits) return Utf8Sequence::kInvalid;
    c = (c << 6) | (p[k] & 0x3F);
  }
  if (c < 0x10000) {
    out[0] = static_cast<char16_t>(c);
    units = 1;
  } else {
    c -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (c >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    units = 2;
  }
  return Utf8Sequence::kValid;
}

// Appends the UTF-16 form of the bytes to out. At a byte that starts no valid sequence,
// on_invalid(out) decides: false stops the walk (and the call returns false), true goes on with
// the next byte.
template <typename OnInvalid>
bool AppendUtf8AsUtf16(std::string_view bytes, std::u16string& out, OnInvalid on_invalid) {
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
    } else if (on_invalid(out)) {
      ++p;
    } else {
      return false;
    }
  }
  return true;
}
