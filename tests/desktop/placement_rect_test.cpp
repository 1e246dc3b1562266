#include "desktop/placement_rect.h"

#include <gtest/gtest.h>

namespace {
TEST(PlacementFor, TopOffsetZeroLeavesAMarginAllRound) {
  const Placement p = PlacementFor(0, 1920, 1080);
  EXPECT_EQ((std::array{p.left, p.top, p.width, p.height}), (std::array{20, 20, 1880, 1040}));
}

TEST(PlacementFor, OtherOffsetsKeepTheFullHeightLessTwenty) {
  for (const std::int32_t top : {100, -50, 1}) {
    const Placement p = PlacementFor(top, 1920, 1080);
    EXPECT_EQ((std::array{p.left, p.top, p.width, p.height}), (std::array{20, top, 1880, 1060}));
  }
}

TEST(TitleBarPoint, HalfwayAcrossAndFourteenDown) {
  const struct {
    std::int32_t left, top, right, x, y;
  } cases[] = {
      {20, 20, 1900, 960, 34},
      {0, 0, 5, 2, 14},
      {-7, -30, 0, -4, -16},  // the half is truncated toward zero
      {0, INT32_MAX - 5, 10, 5, INT32_MAX},
  };
  for (const auto& c : cases) {
    const ScreenPoint point = TitleBarPoint(c.left, c.top, c.right);
    EXPECT_EQ(point.x, c.x);
    EXPECT_EQ(point.y, c.y);
  }
}
}  // namespace
