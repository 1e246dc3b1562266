#include "app/win/application.h"

#include "base/app_title.h"
#include "base/error.h"
#include "base/win/executable_path.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"

const std::u16string& ApplicationTitleText() {
  static const std::u16string title = ApplicationTitle(ExecutablePath());
  return title;
}

UniqueWindow CreateApplicationWindow(HINSTANCE instance) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"VelmoraApplication";
  if (!RegisterClassW(&window_class)) throw Error(LastErrorText());
  // Never shown: it owns the clipboard and the shell operation, and starts the window walk.
  UniqueWindow window(CreateWindowExW(0, window_class.lpszClassName, AsWide(ApplicationTitleText()),
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                                      0, nullptr, nullptr, instance, nullptr));
  if (!window) throw Error(LastErrorText());
  return window;
}

void ShowFailureBox(const std::u16string& text) {
  MessageBoxW(GetActiveWindow(), AsWide(WithFinalStop(text)), AsWide(ApplicationTitleText()),
              MB_OK | MB_ICONSTOP);
}

void ReportUncaughtFailure(const std::exception& failure) {
  ShowFailureBox(FailureText(failure));
}
