#include "base/strict_utf8.h"

bool DecodeStrictUtf8(std::string_view bytes, std::u16string& out) {
  return AppendUtf8AsUtf16(bytes, out, [](std::u16string&) { return false; });
}
