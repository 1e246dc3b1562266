#include "standin/core/busy.h"

#include <gtest/gtest.h>

namespace {

TEST(BusyTest, NotBusyRefusesNothing) {
  BusyPeriod idle;
  idle.Answered(u"Cells", 0);
  EXPECT_FALSE(idle.Refuses(0));
}

TEST(BusyTest, ACountedPeriodStartsAfterTheNthLookUpOfTheMember) {
  BusyPeriod busy({.busy = true, .from_member = u"Cells", .from_count = 2, .length_calls = 3});
  busy.Answered(u"Cells", 0);
  busy.Answered(u"cells", 0);  // another spelling: another call
  EXPECT_FALSE(busy.Refuses(0));
  busy.Answered(u"Cells", 0);
  EXPECT_TRUE(busy.Refuses(0));
  busy.Answered(u"Cells", 0);  // a later look-up starts nothing new
  EXPECT_TRUE(busy.Refuses(0));
  EXPECT_TRUE(busy.Refuses(0));
  EXPECT_FALSE(busy.Refuses(0));
  busy.Answered(u"Cells", 0);
  EXPECT_FALSE(busy.Refuses(0));
}

TEST(BusyTest, ATimedPeriodEndsItsLengthAfterItsStart) {
  BusyPeriod busy({.busy = true, .from_member = u"Cells", .length_ms = 5000});
  busy.Answered(u"Cells", 1000);
  EXPECT_TRUE(busy.Refuses(1000));
  EXPECT_TRUE(busy.Refuses(5999));
  EXPECT_FALSE(busy.Refuses(6000));
}

TEST(BusyTest, WithoutAMemberThePeriodStartsAtTheFirstCall) {
  BusyPeriod busy({.busy = true, .from_member = {}, .length_ms = 100});
  EXPECT_TRUE(busy.Refuses(50));
  EXPECT_TRUE(busy.Refuses(149));
  EXPECT_FALSE(busy.Refuses(150));
}

}  // namespace
