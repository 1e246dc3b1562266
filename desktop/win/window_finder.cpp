#include "desktop/win/window_finder.h"

#include <vector>

#include "base/win/wide.h"
#include "desktop/window_walk.h"

namespace {
HWND AsHandle(WindowId window) {
  return reinterpret_cast<HWND>(window);
}
WindowId AsId(HWND window) {
  return reinterpret_cast<WindowId>(window);
}

class DesktopWindows : public WindowSystem {
 public:
  explicit DesktopWindows(HWND application_window) : application_window_(application_window) {}
  WindowId First() override { return AsId(GetWindow(application_window_, GW_HWNDFIRST)); }
  WindowId Next(WindowId window) override { return AsId(GetWindow(AsHandle(window), GW_HWNDNEXT)); }
  std::u16string Caption(WindowId window, std::size_t buffer_units) override {
    std::vector<wchar_t> buffer(buffer_units, L'\0');
    GetWindowTextW(AsHandle(window), buffer.data(), static_cast<int>(buffer.size()));
    return FromWide(buffer.data());
  }
  bool IsWindow(WindowId window) override { return ::IsWindow(AsHandle(window)) != FALSE; }
  void Activate(WindowId window) override {
    SetForegroundWindow(AsHandle(window));
    if (IsIconic(AsHandle(window))) ShowWindow(AsHandle(window), SW_SHOWNOACTIVATE);
  }

 private:
  HWND application_window_;
};
}  // namespace

HWND FindTopWindow(HWND application_window, std::u16string_view text, std::u16string_view exclude1,
                   std::u16string_view exclude2, int32_t mode) {
  DesktopWindows windows(application_window);
  return AsHandle(FindTopWindowIn(windows, text, exclude1, exclude2, mode));
}
