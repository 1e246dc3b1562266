#pragma once
// The one reference to the running spreadsheet application and the sheet operations on it, each
// a fixed sequence of member calls, each call tried again while the application is busy. The
// platform supplies the attach, the clock and the wait between tries.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sheets/automation.h"
#include "sheets/busy_retry.h"
#include "sheets/spreadsheet.h"

namespace sheets {

struct ExcelServices {
  std::function<void(uint32_t ms)> wait;           // keeps the tool's window answering
  std::function<uint64_t()> now;                   // milliseconds; read on a busy application
  std::function<std::unique_ptr<Value>()> attach;  // raises when no application is running
};

class Excel final : public Connection, public Operations {
 public:
  // detached stands in for the application while none is held: every call on it raises.
  Excel(ExcelServices services, std::unique_ptr<const Value> detached);

  // Up to ten attempts, each after a one-second wait; none once the user has given up during a
  // wait. The reference held before goes first.
  int32_t Connect(const std::function<bool()>& given_up) override;
  void Release() override;

  void SetScreenUpdating(int32_t on) override;
  int32_t SelectSheetByName(const std::u16string& name) override;
  int32_t DeleteSelectedSheets() override;
  SheetAdded AddSheetAfterLast(const std::u16string& name) override;
  void SelectAllCells() override;
  void FormatSelectionAsText() override;
  void SelectCell(int32_t row, int32_t column) override;
  void PasteUnicodeText() override;
  int32_t SelectSheetByIndex(int32_t index) override;

 private:
  const Value& App() const { return held_ ? *held_ : *detached_; }

  ExcelServices services_;
  std::unique_ptr<const Value> detached_;
  // Apart from this object, so that the held reference's calls still find it once it moved.
  std::unique_ptr<BusyRetry> busy_;
  std::unique_ptr<Value> held_;
  bool alerts_left_off_ = false;
};

}  // namespace sheets
