#include "desktop/placement_rect.h"

#include <algorithm>

Placement PlacementFor(std::int32_t top, std::int32_t screen_width, std::int32_t screen_height) {
  if (top == 0) return {20, 20, screen_width - 40, screen_height - 40};
  return {20, top, screen_width - 40, screen_height - 20};
}

ScreenPoint TitleBarPoint(std::int32_t left, std::int32_t top, std::int32_t right) {
  const std::int64_t x = left + (std::int64_t{right} - left) / 2;
  const std::int64_t y = std::min<std::int64_t>(std::int64_t{top} + 14, INT32_MAX);
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}
