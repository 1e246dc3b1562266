#pragma once
// What the import run asks of the spreadsheet application: a connection to the running one, and
// the sheet operations on whatever is active in it. They differ in how a failure comes out: as
// -1, not at all, or raised.
#include <cstdint>
#include <functional>
#include <string>

namespace sheets {

class Connection {
 public:
  virtual ~Connection() = default;
  // 1 attached (screen updating switched on), -1 not; given_up is asked after each wait between
  // the attempts.
  virtual int32_t Connect(const std::function<bool()>& given_up) = 0;
  virtual void Release() = 0;
};

class Operations {
 public:
  virtual ~Operations() = default;
  virtual void SetScreenUpdating(int32_t on) = 0;
  virtual int32_t SelectSheetByName(const std::u16string& name) = 0;  // 0, or -1
  virtual int32_t DeleteSelectedSheets() = 0;                         // 1, or -1
  virtual int32_t AddSheetAfterLast(const std::u16string& name) = 0;  // 1, or -1
  virtual void SelectAllCells() = 0;                                  // raises
  virtual void FormatSelectionAsText() = 0;                           // raises
  virtual void SelectCell(int32_t row, int32_t column) = 0;
  virtual void PasteUnicodeText() = 0;                    // raises
  virtual int32_t SelectSheetByIndex(int32_t index) = 0;  // the select's result, or -1
};

}  // namespace sheets
