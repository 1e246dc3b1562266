#include "desktop/win/windows_desktop_steps.h"

#include <windows.h>

#include "base/win/shell_services.h"
#include "desktop/win/window_placement.h"

void WindowsDesktopSteps::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}
void WindowsDesktopSteps::ProcessPendingMessages() {
  ::ProcessPendingMessages();
}
void WindowsDesktopSteps::BringUpExcelWindow() {
  ::BringUpExcelWindow(application_window_);
}
void WindowsDesktopSteps::PlaceExcelWindow(std::int32_t top, std::int32_t action) {
  ::PlaceExcelWindow(application_window_, top, action);
}
