#pragma once
// What the import run asks of the spreadsheet application: a connection to the running one, and
// the sheet operations on whatever is active in it. They differ in how a failure comes out: as
// -1, not at all, or raised.
#include <cstdint>
#include <functional>
#include <string>

namespace sheets {

// What adding a sheet did: the result (1 done, -1 failed), and whether the failure was the
// application refusing the new sheet itself while its workbook answered, so that the active
// sheet is still one of the user's own.
struct SheetAdded {
  int32_t result;
  bool add_refused = false;
  operator int32_t() const { return result; }  // read as the plain result
};

class Connection {
 public:
  virtual ~Connection() = default;
  // 1 attached (screen updating switched on), -1 not; given_up is asked after each wait between
  // the attempts, and before and after each wait on a busy application until the next Connect.
  virtual int32_t Connect(const std::function<bool()>& given_up) = 0;
  // Alerts that a failed restore left off are switched on again first.
  virtual void Release() = 0;
};

class Operations {
 public:
  virtual ~Operations() = default;
  virtual void SetScreenUpdating(int32_t on) = 0;
  virtual int32_t SelectSheetByName(const std::u16string& name) = 0;  // 0, or -1
  virtual int32_t DeleteSelectedSheets() = 0;                         // 1, or -1
  virtual SheetAdded AddSheetAfterLast(const std::u16string& name) = 0;
  virtual void SelectAllCells() = 0;         // raises
  virtual void FormatSelectionAsText() = 0;  // raises
  virtual void SelectCell(int32_t row, int32_t column) = 0;
  virtual void PasteUnicodeText() = 0;  // raises; the English format name after the Japanese
  virtual int32_t SelectSheetByIndex(int32_t index) = 0;  // the select's result, or -1
};

}  // namespace sheets
