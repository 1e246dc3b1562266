#include "desktop/win/window_placement.h"

#include <windows.h>

#include "base/win/shell_services.h"
#include "desktop/excel_window_placement.h"
#include "desktop/win/send_keys.h"
#include "desktop/win/window_finder.h"
#include "desktop/window_walk.h"

namespace {
HWND AsHandle(WindowId window) {
  return reinterpret_cast<HWND>(window);
}

HWND FindExcelTopWindow(HWND application_window) {
  return FindTopWindow(application_window, u"Excel", u"", u"", kCaptionContains);
}

class WindowsPlacementDesktop final : public PlacementDesktop {
 public:
  explicit WindowsPlacementDesktop(HWND application_window)
      : application_window_(application_window) {}
  std::int32_t ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  std::int32_t ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  WindowId FindExcelWindow() override {
    return reinterpret_cast<WindowId>(FindExcelTopWindow(application_window_));
  }
  void ProcessPendingMessages() override { ::ProcessPendingMessages(); }
  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
  void Place(WindowId window, const Placement& placement) override {
    SetWindowPos(AsHandle(window), HWND_NOTOPMOST, placement.left, placement.top, placement.width,
                 placement.height, 0);
  }
  std::optional<WindowRect> OuterRect(WindowId window) override {
    RECT outer{};
    if (!GetWindowRect(AsHandle(window), &outer)) return std::nullopt;
    return WindowRect{outer.left, outer.top, outer.right, outer.bottom};
  }
  WindowId Foreground() override { return reinterpret_cast<WindowId>(GetForegroundWindow()); }
  void MoveCursor(ScreenPoint point) override { SetCursorPos(point.x, point.y); }
  void RightButton(bool down) override {
    mouse_event(down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
  }
  void SendKeys(std::u16string_view keys) override { ::SendKeys(keys); }

 private:
  HWND application_window_;
};
}  // namespace

void BringUpExcelWindow(HWND application_window) {
  try {
    const HWND window = FindExcelTopWindow(application_window);
    ShowWindow(window, SW_SHOWNORMAL);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  } catch (...) {  // bringing the window up is a courtesy; the run goes on without it
  }
}

void PlaceExcelWindow(HWND application_window, int32_t top, int32_t action) {
  WindowsPlacementDesktop desktop(application_window);
  PlaceExcelWindowOn(desktop, top, action);
}
