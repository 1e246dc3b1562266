#pragma once
// What the import run asks of the desktop: pauses, the tool's messages processed, and the
// spreadsheet window brought up after attaching and placed at the end.
#include <cstdint>

class DesktopSteps {
 public:
  virtual ~DesktopSteps() = default;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual void ProcessPendingMessages() = 0;
  virtual void BringUpExcelWindow() = 0;
  virtual void PlaceExcelWindow(std::int32_t top, std::int32_t action) = 0;
};
