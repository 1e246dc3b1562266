#pragma once
// Lenient conversions for messages and file names. Feed text has its own strict decoder.
#include <string>
#include <string_view>

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// Invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view bytes);
