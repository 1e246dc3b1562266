#include "app/form_placement.h"

#include <gtest/gtest.h>

TEST(FormShowPosition, CentresHorizontallyAndPutsTheCentreAThirdDown) {
  EXPECT_EQ(FormShowPosition(1920, 1080, 312, 231).left, 804);
  EXPECT_EQ(FormShowPosition(1920, 1080, 312, 231).top, 245);
  // Odd sizes truncate before subtracting.
  EXPECT_EQ(FormShowPosition(1025, 769, 313, 233).left, 356);
  EXPECT_EQ(FormShowPosition(1025, 769, 313, 233).top, 140);
  // A window taller than two thirds of the screen goes above its top edge.
  EXPECT_EQ(FormShowPosition(800, 300, 100, 250).top, -25);
}
