#include "desktop/win/window_placement.h"

#include <windows.h>

#include "base/win/shell_services.h"
#include "desktop/placement_rect.h"
#include "desktop/win/send_keys.h"
#include "desktop/win/window_finder.h"
#include "desktop/window_walk.h"

namespace {
// Time for the moved window to settle before the click, and for the menu it opens after it.
constexpr DWORD kClickSettleMs = 1000;
constexpr DWORD kRightButtonHeldMs = 300;
// About a second of the tool's own messages before the move.
constexpr int kPumpRoundsBeforePlacing = 100;
constexpr DWORD kPumpRoundMs = 10;

HWND FindExcelWindow() {
  return FindTopWindow(u"Excel", u"", u"", kCaptionContains);
}

bool IsFound(HWND window) {
  const auto id = reinterpret_cast<WindowId>(window);
  return id != kNoWindow && id != kWalkLimitReached;
}

void RightClickAt(ScreenPoint point) {
  Sleep(kClickSettleMs);
  SetCursorPos(point.x, point.y);
  mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
  ProcessPendingMessages();
  Sleep(kRightButtonHeldMs);
  mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
  ProcessPendingMessages();
  Sleep(kClickSettleMs);
}
}  // namespace

void BringUpExcelWindow() {
  try {
    const HWND window = FindExcelWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  } catch (...) {  // bringing the window up is a courtesy; the run goes on without it
  }
}

void PlaceExcelWindow(int32_t top, int32_t action) {
  try {
    const Placement placement =
        PlacementFor(top, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const HWND window = FindExcelWindow();
    for (int i = 0; i < kPumpRoundsBeforePlacing; ++i) {
      ProcessPendingMessages();
      Sleep(kPumpRoundMs);
    }
    SetWindowPos(window, HWND_NOTOPMOST, placement.left, placement.top, placement.width,
                 placement.height, 0);
    RECT outer{};
    // Without a window there is no title bar: never click at an undefined place.
    const bool have_rect = IsFound(window) && GetWindowRect(window, &outer);
    if (action == kRightClickTitleBar && have_rect) {
      RightClickAt(TitleBarPoint(outer.left, outer.top, outer.right));
    }
    if (action == kSendEscape) SendKeys(u"{ESC}");
  } catch (...) {  // the placement is a courtesy; the run goes on without it
  }
}
