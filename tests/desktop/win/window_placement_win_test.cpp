#include "desktop/win/window_placement.h"

#include <gtest/gtest.h>

#include <array>

#include "base/win/shell_services.h"
#include "tests/desktop/win/test_window.h"

namespace {
std::array<LONG, 2> CursorPosition() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return {cursor.x, cursor.y};
}

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920); }

  TestApplicationWindow application_;
};

TEST_F(PlacementTest, BringUpReturnsMinimisedAndMaximisedWindowsToNormal) {
  for (const int shown : {SW_MINIMIZE, SW_MAXIMIZE}) {
    TestWindow sheet(L"Book1 - Excel", {100, 100, 740, 580});
    ShowWindow(sheet.get(), shown);
    ASSERT_TRUE(PumpMessagesUntil([&] { return IsIconic(sheet.get()) || IsZoomed(sheet.get()); }));

    BringUpExcelWindow(application_.get());
    EXPECT_TRUE(
        PumpMessagesUntil([&] { return !IsIconic(sheet.get()) && !IsZoomed(sheet.get()); }));
    EXPECT_TRUE(IsWindowVisible(sheet.get()));
    EXPECT_EQ(Corners(sheet.Rect()), (std::array<LONG, 4>{100, 100, 740, 580}));
    EXPECT_EQ(GetForegroundWindow(), sheet.get());
  }
}

TEST_F(PlacementTest, PlacesWithAMarginAndSendsOneEscape) {
  TestWindow sheet(L"Book1 - Excel", {300, 300, 700, 600});
  PlaceExcelWindow(application_.get(), 0, 2);
  PumpMessagesUntil([&] { return sheet.received.size() >= 2; });
  EXPECT_EQ(Corners(sheet.Rect()), (std::array<LONG, 4>{20, 20, 1900, 1060}));
  const std::vector<std::pair<UINT, WPARAM>> escape = {{WM_KEYDOWN, VK_ESCAPE},
                                                       {WM_KEYUP, VK_ESCAPE}};
  EXPECT_EQ(sheet.received, escape);
}

TEST_F(PlacementTest, OtherTopOffsetKeepsTheHeightOfTheTopMarginOnly) {
  TestWindow sheet(L"Book1 - Excel", {300, 300, 700, 600});
  PlaceExcelWindow(application_.get(), 100, 0);
  ProcessPendingMessages();  // keys it sent would be queued already
  EXPECT_EQ(Corners(sheet.Rect()), (std::array<LONG, 4>{20, 100, 1900, 1160}));
  EXPECT_TRUE(sheet.received.empty());
}

// Without a window manager Wine leaves a captioned window's title bar to nobody: a click there
// reaches the desktop window. A window without a caption is hit over its whole rectangle, so the
// click is seen where it lands.
TEST_F(PlacementTest, RightClicksHalfwayAcrossJustBelowTheTopEdge) {
  TestWindow sheet(L"Book1 - Excel", {300, 300, 700, 600}, true, WS_POPUP);
  PlaceExcelWindow(application_.get(), 0, 1);
  PumpMessagesUntil([&] { return sheet.received.size() >= 2; });
  EXPECT_EQ(CursorPosition(), (std::array<LONG, 2>{960, 34}));
  const std::vector<std::pair<UINT, WPARAM>> click = {{WM_RBUTTONDOWN, 0}, {WM_RBUTTONUP, 0}};
  EXPECT_EQ(sheet.received, click);
}

TEST_F(PlacementTest, NoWindowFoundMeansNoClick) {
  TestWindow bystander(L"Bystander", {0, 0, 1920, 1080}, true, WS_POPUP);
  SetCursorPos(300, 300);
  PlaceExcelWindow(application_.get(), 0, 1);
  ProcessPendingMessages();  // a click would be queued already
  EXPECT_EQ(CursorPosition(), (std::array<LONG, 2>{300, 300}));
  EXPECT_TRUE(bystander.received.empty());
  EXPECT_EQ(Corners(bystander.Rect()), (std::array<LONG, 4>{0, 0, 1920, 1080}));
}
}  // namespace
