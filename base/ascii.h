#pragma once
// Case folding for the names that Windows and our own tables compare without regard to case, in
// the ASCII range only: a locale's rules must not decide which file or key a name means.
#include <algorithm>
#include <string>
#include <string_view>

constexpr char16_t AsciiUpper(char16_t unit) {
  return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

inline bool EqualsAsciiCaseless(std::u16string_view left, std::u16string_view right) {
  return std::ranges::equal(left, right, {}, AsciiUpper, AsciiUpper);
}

inline std::u16string AsciiUpperCopy(std::u16string_view text) {
  std::u16string upper(text);
  std::ranges::transform(upper, upper.begin(), AsciiUpper);
  return upper;
}
