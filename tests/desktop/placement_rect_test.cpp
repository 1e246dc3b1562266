#include "desktop/placement_rect.h"

#include <gtest/gtest.h>

#include <array>

namespace {
std::array<std::int32_t, 4> Rect(const Placement& p) {
  return {p.left, p.top, p.width, p.height};
}

TEST(PlacementFor, TopOffsetZeroLeavesAMarginAllRound) {
  EXPECT_EQ(Rect(PlacementFor(0, 1920, 1080)), (std::array{20, 20, 1880, 1040}));
  EXPECT_EQ(Rect(PlacementFor(0, 1366, 768)), (std::array{20, 20, 1326, 728}));
}

TEST(PlacementFor, OtherOffsetsKeepTheFullHeightLessTwenty) {
  const struct {
    std::int32_t top, width, height;
    std::array<std::int32_t, 4> rect;
  } cases[] = {
      {100, 1920, 1080, {20, 100, 1880, 1060}},
      {1, 1920, 1080, {20, 1, 1880, 1060}},
      {-1, 1920, 1080, {20, -1, 1880, 1060}},
      {-50, 1366, 768, {20, -50, 1326, 748}},
      {20, 800, 600, {20, 20, 760, 580}},  // even the offset of the margin itself
      {2147483647, 800, 600, {20, 2147483647, 760, 580}},
      {-2147483647 - 1, 800, 600, {20, -2147483647 - 1, 760, 580}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rect(PlacementFor(c.top, c.width, c.height)), c.rect) << "top " << c.top;
  }
}

TEST(TitleBarPoint, HalfwayAcrossAndFourteenDown) {
  const struct {
    std::int32_t left, top, right, x, y;
  } cases[] = {
      {20, 20, 1900, 960, 34},
      {0, 0, 5, 2, 14},
      {-7, -30, 0, -4, -16},
      {10, 0, 5, 8, 14},  // the half of -5 is truncated toward zero
      {0, INT32_MAX - 5, 10, 5, INT32_MAX},
  };
  for (const auto& c : cases) {
    const ScreenPoint point = TitleBarPoint(c.left, c.top, c.right);
    EXPECT_EQ(point.x, c.x);
    EXPECT_EQ(point.y, c.y);
  }
}
}  // namespace
