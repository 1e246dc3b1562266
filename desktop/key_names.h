#pragma once
// The names that may stand between braces in a key string.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

struct KeyName {
  std::u16string_view name;  // in capitals
  std::uint8_t code;         // virtual-key code
};

inline constexpr std::size_t kKeyNameCount = 45;
extern const std::array<KeyName, kKeyNameCount> KeyNameTable;

// The code of the first row whose name equals the text, ASCII letters compared without case.
std::optional<std::uint8_t> FindKeyName(std::u16string_view text);
