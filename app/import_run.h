#pragma once
// The import run: the whole job of the tool, one feed archive into one workbook. It drives the
// other subsystems through ImportSteps in a fixed order and is the only part that talks to the
// user.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ImportSteps {
 public:
  virtual ~ImportSteps() = default;

  // The main window's services.
  virtual void EnableButton(bool enabled) = 0;
  virtual void ShowStatus(const std::u16string& text) = 0;  // repainted at once
  virtual std::optional<std::u16string> ChooseArchive() = 0;
  virtual bool SkipFares() = 0;
  virtual bool SkipShapes() = 0;
  virtual void ShowMessage(const std::u16string& text) = 0;        // plain box, OK only
  virtual void ShowFailure(const std::u16string& error_text) = 0;  // error box, stop icon
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual void ProcessPendingMessages() = 0;
  // True once the user has closed the window during this run: it stops as soon as it can.
  virtual bool WindowClosed() = 0;

  // The working folder and the feed files.
  virtual std::u16string WorkingFolder() = 0;
  virtual void DeleteWorkingFolder(const std::u16string& folder) = 0;
  virtual void ExtractFeedArchive(const std::u16string& archive, const std::u16string& folder) = 0;
  virtual std::vector<std::u16string> ListFeedFiles(const std::u16string& folder) = 0;
  virtual std::u16string ConvertFeedFile(const std::u16string& folder,
                                         const std::u16string& name) = 0;
  virtual bool PutTabTextOnClipboard(const std::u16string& tab_text) = 0;

  // The spreadsheet connection.
  virtual std::int32_t ConnectExcel() = 0;  // gives up early once the window is closed
  virtual void ReleaseExcel() = 0;
  virtual void SetScreenUpdating(std::int32_t on) = 0;
  virtual std::int32_t SelectSheetByName(const std::u16string& name) = 0;
  virtual std::int32_t DeleteSelectedSheets() = 0;
  virtual std::int32_t AddSheetAfterLast(const std::u16string& name) = 0;
  virtual void SelectAllCells() = 0;
  virtual void FormatSelectionAsText() = 0;
  virtual void SelectCell(std::int32_t row, std::int32_t column) = 0;
  virtual void PasteUnicodeText() = 0;
  virtual std::int32_t SelectSheetByIndex(std::int32_t index) = 0;

  // The spreadsheet window.
  virtual void BringUpExcelWindow() = 0;
  virtual void PlaceExcelWindow(std::int32_t top, std::int32_t action) = 0;
};

// Every path out of it leaves the button enabled; a failure that no step expects is shown once.
void ImportRun(ImportSteps& steps);
