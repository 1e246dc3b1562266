#pragma once
#include <cstdint>
#include <string_view>

// A repeat count: leading spaces, an optional sign, then decimal digits or hexadecimal ones after
// "$", "x", "X", "0x" or "0X", the whole text a signed 32-bit integer. Anything else gives 0.
std::int32_t ReadKeyCount(std::u16string_view text);
