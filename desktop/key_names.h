#pragma once
// The names that may stand between braces in a key string.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct KeyName {
  std::u16string_view name;  // in capitals
  std::uint8_t code;         // virtual-key code
};

extern const std::array<KeyName, 45> KeyNameTable;

// The code of the first row whose name equals the text, ASCII letters compared without case.
std::optional<std::uint8_t> FindKeyName(std::u16string_view text);
