#pragma once
// How a window's caption must meet the text searched for. The values are the mode numbers callers
// pass and keep: other numbers match nothing.
#include <cstdint>

inline constexpr std::int32_t kCaptionEquals = 0;
inline constexpr std::int32_t kCaptionBeginsWith = 1;
inline constexpr std::int32_t kCaptionContains = 2;
// Begins with the text, and the window found is left as it is rather than activated.
inline constexpr std::int32_t kCaptionBeginsWithQuietly = 3;
