#pragma once
// The desktop's steps on this platform's windows and message queue.
#include <windows.h>

#include "desktop/desktop_steps.h"

class WindowsDesktopSteps final : public DesktopSteps {
 public:
  // The search for the spreadsheet window starts from the application window.
  explicit WindowsDesktopSteps(HWND application_window) : application_window_(application_window) {}

  void Sleep(std::uint32_t milliseconds) override;
  void ProcessPendingMessages() override;
  void BringUpExcelWindow() override;
  void PlaceExcelWindow(std::int32_t top, std::int32_t action) override;

 private:
  HWND application_window_;
};
