// Stands in for a tool whose executable name makes an application title containing "Excel": it
// holds a hidden top-level window captioned with that title until it is closed.
#include <windows.h>

#include <string>

#include "base/app_title.h"
#include "base/win/wide.h"

namespace {
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

int main() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::u16string title = ApplicationTitle(FromWide(path));

  WNDCLASSW window_class{};
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"DesktopTitleProbe";
  RegisterClassW(&window_class);
  if (!CreateWindowExW(0, window_class.lpszClassName, AsWide(title), WS_OVERLAPPED, 0, 0, 100, 100,
                       nullptr, nullptr, window_class.hInstance, nullptr)) {
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
