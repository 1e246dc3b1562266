#pragma once
// UTF-16 to UTF-8 at speed, into the caller's buffer: the feed's copy and Utf16ToUtf8 use it.
#include <cstddef>
#include <string_view>

constexpr bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The output room EncodeUtf8 needs for size units: three bytes per unit at most, and the wide
// stores run up to 16 bytes ahead.
constexpr std::size_t Utf8Room(std::size_t size) {
  return 3 * size + 16;
}

// Writes the UTF-8 form of the units to out and returns its length. A surrogate without its
// partner becomes U+FFFD.
std::size_t EncodeUtf8(std::u16string_view units, char* out);
