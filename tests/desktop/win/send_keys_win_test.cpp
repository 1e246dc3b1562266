#include "desktop/win/send_keys.h"

#include <gtest/gtest.h>

#include "tests/desktop/win/test_window.h"

namespace {
TEST(SendKeys, KeysReachTheFocusedWindowWithShiftFromTheLayout) {
  TestWindow target(L"Key target", {200, 200, 600, 500});
  SetForegroundWindow(target.get());
  ASSERT_TRUE(PumpMessagesUntil([&] { return GetForegroundWindow() == target.get(); }));

  SendKeys(u"a{ESC 2}B");
  const std::vector<std::pair<UINT, WPARAM>> keys = {{WM_KEYDOWN, 'A'},       {WM_KEYUP, 'A'},
                                                     {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE},
                                                     {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE},
                                                     {WM_KEYDOWN, VK_SHIFT},  {WM_KEYDOWN, 'B'},
                                                     {WM_KEYUP, 'B'},         {WM_KEYUP, VK_SHIFT}};
  PumpMessagesUntil([&] { return target.received.size() >= keys.size(); });
  EXPECT_EQ(target.received, keys);
}
}  // namespace
