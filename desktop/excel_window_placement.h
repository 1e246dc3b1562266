#pragma once
// The final placement of the spreadsheet window and what follows it, over a small view of the
// desktop so that the decision runs anywhere.
#include <cstdint>
#include <optional>
#include <string_view>

#include "desktop/placement_rect.h"
#include "desktop/window_walk.h"

struct WindowRect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

// Any call may throw (the window walk reads captions into memory it allocates); the placement
// then ends where it was.
class PlacementDesktop {
 public:
  virtual ~PlacementDesktop() = default;
  virtual std::int32_t ScreenWidth() = 0;
  virtual std::int32_t ScreenHeight() = 0;
  // The first window whose caption contains "Excel", activated; or what the walk gave instead.
  virtual WindowId FindExcelWindow() = 0;
  virtual void ProcessPendingMessages() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Moved, sized and activated, no longer topmost.
  virtual void Place(WindowId window, const Placement& placement) = 0;
  virtual std::optional<WindowRect> OuterRect(WindowId window) = 0;
  virtual WindowId Foreground() = 0;
  virtual void MoveCursor(ScreenPoint point) = 0;
  virtual void RightButton(bool down) = 0;
  virtual void SendKeys(std::u16string_view keys) = 0;
};

// After about a second of the tool's own messages, moves and sizes the window (top offset
// kMarginAllRound: 20 pixels in from every screen edge), then action kRightClickTitleBar
// right-clicks its title bar and kSendEscape sends it Escape, each only to a window found: the
// key goes only when that window is then the foreground one, since the system may have refused
// it the foreground and the key would reach another program. Never fails.
void PlaceExcelWindowOn(PlacementDesktop& desktop, std::int32_t top, std::int32_t action);
