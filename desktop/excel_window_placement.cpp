#include "desktop/excel_window_placement.h"

namespace {
// Time for the moved window to settle before the click, and for the menu it opens after it.
constexpr std::uint32_t kClickSettleMs = 1000;
constexpr std::uint32_t kRightButtonHeldMs = 300;
// About a second of the tool's own messages before the move.
constexpr int kPumpRoundsBeforePlacing = 100;
constexpr std::uint32_t kPumpRoundMs = 10;

bool IsFound(WindowId window) {
  return window != kNoWindow && window != kWalkLimitReached;
}

void RightClickAt(PlacementDesktop& desktop, ScreenPoint point) {
  desktop.Sleep(kClickSettleMs);
  desktop.MoveCursor(point);
  desktop.RightButton(true);
  desktop.ProcessPendingMessages();
  desktop.Sleep(kRightButtonHeldMs);
  desktop.RightButton(false);
  desktop.ProcessPendingMessages();
  desktop.Sleep(kClickSettleMs);
}
}  // namespace

void PlaceExcelWindowOn(PlacementDesktop& desktop, std::int32_t top, std::int32_t action) {
  try {
    const Placement placement = PlacementFor(top, desktop.ScreenWidth(), desktop.ScreenHeight());
    const WindowId window = desktop.FindExcelWindow();
    for (int i = 0; i < kPumpRoundsBeforePlacing; ++i) {
      desktop.ProcessPendingMessages();
      desktop.Sleep(kPumpRoundMs);
    }
    desktop.Place(window, placement);
    // Without a window there is no title bar: never click at an undefined place.
    const std::optional<WindowRect> outer =
        IsFound(window) ? desktop.OuterRect(window) : std::nullopt;
    if (action == kRightClickTitleBar && outer) {
      RightClickAt(desktop, TitleBarPoint(outer->left, outer->top, outer->right));
    }
    if (action == kSendEscape && IsFound(window) && desktop.Foreground() == window) {
      desktop.SendKeys(u"{ESC}");
    }
  } catch (...) {  // the placement is a courtesy; the run goes on without it
  }
}
