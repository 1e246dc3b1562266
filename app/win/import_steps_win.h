#pragma once
// The import run's steps as this program performs them: the main window's services and the
// feed, spreadsheet and desktop subsystems.
#include "app/import_run.h"

class Tfrm_main;

class WindowImportSteps final : public ImportSteps {
 public:
  explicit WindowImportSteps(Tfrm_main& form) : form_(form) {}

  void EnableButton(bool enabled) override;
  void ShowStatus(const std::u16string& text) override;
  std::optional<std::u16string> ChooseArchive() override;
  bool SkipFares() override;
  bool SkipShapes() override;
  void ShowMessage(const std::u16string& text) override;
  void ShowFailure(const std::u16string& error_text) override;
  void Sleep(std::uint32_t milliseconds) override;
  void ProcessPendingMessages() override;
  bool WindowClosed() override;

  std::u16string WorkingFolder() override;
  void DeleteWorkingFolder(const std::u16string& folder) override;
  void ExtractFeedArchive(const std::u16string& archive, const std::u16string& folder) override;
  std::vector<std::u16string> ListFeedFiles(const std::u16string& folder) override;
  std::u16string ConvertFeedFile(const std::u16string& folder, const std::u16string& name) override;
  bool PutTabTextOnClipboard(const std::u16string& tab_text) override;

  std::int32_t ConnectExcel() override;
  void ReleaseExcel() override;
  void SetScreenUpdating(std::int32_t on) override;
  std::int32_t SelectSheetByName(const std::u16string& name) override;
  std::int32_t DeleteSelectedSheets() override;
  std::int32_t AddSheetAfterLast(const std::u16string& name) override;
  void SelectAllCells() override;
  void FormatSelectionAsText() override;
  void SelectCell(std::int32_t row, std::int32_t column) override;
  void PasteUnicodeText() override;
  std::int32_t SelectSheetByIndex(std::int32_t index) override;

  void BringUpExcelWindow() override;
  void PlaceExcelWindow(std::int32_t top, std::int32_t action) override;

 private:
  Tfrm_main& form_;
};
