#include "feed/zip/code_page_437.h"

namespace {

// The upper half; the lower half is ASCII with 0x00-0x1F and 0x7F as control characters.
constexpr unsigned char kFirstUpper = 0x80;
constexpr char16_t kUpperHalf[] =
    u"ÇüéâäàåçêëèïîìÄÅ"
    u"ÉæÆôöòûùÿÖÜ¢£¥₧ƒ"
    u"áíóúñÑªº¿⌐¬½¼¡«»"
    u"░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧"
    u"╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
    u"αßΓπΣσµτΦΘΩδ∞φε∩"
    u"≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";
static_assert(sizeof(kUpperHalf) / sizeof(char16_t) == 128 + 1);

}  // namespace

std::u16string DecodeCodePage437(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += byte < kFirstUpper ? static_cast<char16_t>(byte) : kUpperHalf[byte - kFirstUpper];
  }
  return text;
}
