#include "base/strict_utf8.h"

bool DecodeStrictUtf8(std::string_view bytes, std::u16string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    if (*p < 0x80) {
      out += static_cast<char16_t>(*p++);
      continue;
    }
    std::size_t length, units;
    char16_t decoded[2];
    if (DecodeUtf8Sequence(p, end, length, decoded, units) != Utf8Sequence::kValid) return false;
    out.append(decoded, units);
    p += length;
  }
  return true;
}
