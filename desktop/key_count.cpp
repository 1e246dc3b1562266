#include "desktop/key_count.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {
std::optional<int> DigitValue(char16_t unit, int base) {
  int value = base;
  if (unit >= u'0' && unit <= u'9') value = unit - u'0';
  if (unit >= u'a' && unit <= u'f') value = unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') value = unit - u'A' + 10;
  if (value >= base) return std::nullopt;
  return value;
}

std::size_t HexPrefixLength(std::u16string_view text) {
  if (text.starts_with(u"0x") || text.starts_with(u"0X")) return 2;
  if (text.starts_with(u'$') || text.starts_with(u'x') || text.starts_with(u'X')) return 1;
  return 0;
}
}  // namespace

std::int32_t ReadKeyCount(std::u16string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(u' '), text.size()));
  const bool negative = text.starts_with(u'-');
  if (negative || text.starts_with(u'+')) text.remove_prefix(1);
  const std::size_t prefix = HexPrefixLength(text);
  const int base = prefix == 0 ? 10 : 16;
  text.remove_prefix(prefix);
  if (text.empty()) return 0;

  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  std::int64_t magnitude = 0;
  for (const char16_t unit : text) {
    const auto digit = DigitValue(unit, base);
    if (!digit) return 0;
    magnitude = magnitude * base + *digit;
    if (magnitude > limit) return 0;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
