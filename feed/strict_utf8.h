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
// valid sequence.
Utf8Sequence DecodeUtf8Sequence(const unsigned char* p, const unsigned char* end,
                                std::size_t& length, char16_t* out, std::size_t& units);
