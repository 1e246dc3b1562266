#include "desktop/placement_rect.h"

#include <algorithm>

namespace {
constexpr std::int32_t kMargin = 20;
constexpr std::int32_t kTitleBarDepth = 14;
}  // namespace

Placement PlacementFor(std::int32_t top, std::int32_t screen_width, std::int32_t screen_height) {
  const std::int32_t width = screen_width - 2 * kMargin;
  if (top == kMarginAllRound) return {kMargin, kMargin, width, screen_height - 2 * kMargin};
  return {kMargin, top, width, screen_height - kMargin};
}

ScreenPoint TitleBarPoint(std::int32_t left, std::int32_t top, std::int32_t right) {
  const std::int64_t x = left + (std::int64_t{right} - left) / 2;
  const std::int64_t y = std::min<std::int64_t>(std::int64_t{top} + kTitleBarDepth, INT32_MAX);
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}
