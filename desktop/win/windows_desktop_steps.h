#pragma once
// The desktop's steps on this platform's windows and message queue.
#include "desktop/desktop_steps.h"

class WindowsDesktopSteps final : public DesktopSteps {
 public:
  void Sleep(std::uint32_t milliseconds) override;
  void ProcessPendingMessages() override;
  void BringUpExcelWindow() override;
  void PlaceExcelWindow(std::int32_t top, std::int32_t action) override;
};
