#include "base/utf.h"

#include "base/strict_utf8.h"
#include "base/utf8_encoder.h"

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out(Utf8Room(text.size()), '\0');
  out.resize(EncodeUtf8(text, out.data()));
  return out;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  // One substitute per byte that starts no valid sequence; the next byte is tried afresh.
  AppendUtf8AsUtf16(bytes, out, [](std::u16string& text) {
    text += char16_t{0xFFFD};
    return true;
  });
  return out;
}
