#pragma once
// The one reference to the running spreadsheet application and the sheet operations on it, each
// a fixed sequence of member calls. The platform supplies the attach and the wait between tries.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sheets/automation.h"
#include "sheets/spreadsheet.h"

namespace sheets {

struct AttachServices {
  std::function<void(uint32_t ms)> wait;
  std::function<std::unique_ptr<Value>()> attach;  // raises when no application is running
};

class Excel final : public Connection, public Operations {
 public:
  // detached stands in for the application while none is held: every call on it raises.
  Excel(AttachServices services, std::unique_ptr<const Value> detached);

  // Up to ten attempts, each after a one-second wait; none once the user has given up during a
  // wait. The reference held before goes first.
  int32_t Connect(const std::function<bool()>& given_up) override;
  void Release() override;

  void SetScreenUpdating(int32_t on) override;
  int32_t SelectSheetByName(const std::u16string& name) override;
  int32_t DeleteSelectedSheets() override;
  int32_t AddSheetAfterLast(const std::u16string& name) override;
  void SelectAllCells() override;
  void FormatSelectionAsText() override;
  void SelectCell(int32_t row, int32_t column) override;
  void PasteUnicodeText() override;
  int32_t SelectSheetByIndex(int32_t index) override;

 private:
  const Value& App() const { return held_ ? *held_ : *detached_; }

  AttachServices services_;
  std::unique_ptr<const Value> detached_;
  std::unique_ptr<Value> held_;
};

}  // namespace sheets
