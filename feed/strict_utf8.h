#pragma once
// Strict UTF-8: overlong forms, surrogates, code points above U+10FFFF and sequences cut short
// are refused; nothing is ever replaced by a substitute character.
#include <string>
#include <string_view>

// Appends the UTF-16 form of the bytes to out. False, with out unspecified, on the first
// invalid sequence.
bool DecodeStrictUtf8(std::string_view bytes, std::u16string& out);
