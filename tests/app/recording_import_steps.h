#pragma once
// The window, feed, spreadsheet and desktop of an import run in one recorder: each step goes as
// a line into one log, so that the order across the parts shows, with scripted answers and
// failures.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/import_run.h"
#include "base/error.h"
#include "base/utf.h"

class RecordingImportSteps : public ImportWindow,
                             public FeedSteps,
                             public sheets::Connection,
                             public sheets::Operations,
                             public DesktopSteps {
 public:
  ImportParts Parts() { return {*this, *this, *this, *this, *this}; }

  // Scripted answers.
  std::optional<std::u16string> archive = u"C:\\feeds\\feed.zip";
  std::vector<std::u16string> files;
  std::optional<std::u16string> extraction_failure;
  bool skip_fares = true;
  bool skip_shapes = true;
  std::int32_t connect_result = 1;
  std::int32_t select_by_name_result = -1;
  sheets::SheetAdded add_result = {1};
  int failing_pastes = 0;               // the first N pastes throw
  int failing_clipboard_files = 0;      // the first N hand-offs give up
  std::set<std::string> failing_steps;  // log lines whose step raises once logged
  bool window_closed = false;

  std::vector<std::string> log;
  std::function<bool()> given_up;  // as the run handed it to the attach
  // Run right after the step that logs the key, as the user acting while the run pumps messages.
  std::map<std::string, std::function<void()>> on_step;

  // The window.
  void EnableButton(bool enabled) override { Log(enabled ? "EnableButton" : "DisableButton"); }
  void ShowStatus(const std::u16string& text) override { Log("Status " + Utf16ToUtf8(text)); }
  std::optional<std::u16string> ChooseArchive() override {
    Log("ChooseArchive");
    return archive;
  }
  bool SkipFares() override { return skip_fares; }
  bool SkipShapes() override { return skip_shapes; }
  void ShowMessage(const std::u16string& text) override { Log("Message " + Utf16ToUtf8(text)); }
  void ShowFailure(const std::u16string& text) override { Log("Failure " + Utf16ToUtf8(text)); }
  bool WindowClosed() override { return window_closed; }

  // The feed.
  std::u16string WorkingFolder() override { return u"C:\\tool\\GTFS_TEMP"; }
  void DeleteWorkingFolder(const std::u16string& folder) override {
    Log("DeleteWorkingFolder " + Utf16ToUtf8(folder));
  }
  void ExtractFeedArchive(const std::u16string& archive_path,
                          const std::u16string& folder) override {
    Log("ExtractFeedArchive " + Utf16ToUtf8(archive_path) + " " + Utf16ToUtf8(folder));
    if (extraction_failure) throw Error(*extraction_failure);
  }
  std::vector<std::u16string> ListFeedFiles(const std::u16string&) override {
    Log("ListFeedFiles");
    return files;
  }
  std::u16string ConvertFeedFile(const std::u16string&, const FeedFileNames& names) override {
    Log("ConvertFeedFile " + Utf16ToUtf8(names.list));
    return u"tab text of " + names.list;
  }
  bool PutTabTextOnClipboard(const std::u16string& text) override {
    Log("Clipboard " + Utf16ToUtf8(text));
    return failing_clipboard_files-- <= 0;
  }

  // The spreadsheet.
  std::int32_t Connect(const std::function<bool()>& run_given_up) override {
    given_up = run_given_up;
    Log("ConnectExcel");
    return connect_result;
  }
  void Release() override { Log("ReleaseExcel"); }
  void SetScreenUpdating(std::int32_t on) override {
    Log("SetScreenUpdating " + std::to_string(on));
  }
  std::int32_t SelectSheetByName(const std::u16string& name) override {
    Log("SelectSheetByName " + Utf16ToUtf8(name));
    return select_by_name_result;
  }
  std::int32_t DeleteSelectedSheets() override {
    Log("DeleteSelectedSheets");
    return 1;
  }
  sheets::SheetAdded AddSheetAfterLast(const std::u16string& name) override {
    Log("AddSheetAfterLast " + Utf16ToUtf8(name));
    return add_result;
  }
  void SelectAllCells() override { Log("SelectAllCells"); }
  void FormatSelectionAsText() override { Log("FormatSelectionAsText"); }
  void SelectCell(std::int32_t row, std::int32_t column) override {
    Log("SelectCell " + std::to_string(row) + "," + std::to_string(column));
  }
  void PasteUnicodeText() override {
    Log("PasteUnicodeText");
    if (failing_pastes-- > 0) throw Error(u"busy");
  }
  std::int32_t SelectSheetByIndex(std::int32_t index) override {
    Log("SelectSheetByIndex " + std::to_string(index));
    return 0;
  }
  // The desktop.
  void Sleep(std::uint32_t ms) override { Log("Sleep " + std::to_string(ms)); }
  void ProcessPendingMessages() override { Log("Pump"); }
  void BringUpExcelWindow() override { Log("BringUpExcelWindow"); }
  void PlaceExcelWindow(std::int32_t top, std::int32_t action) override {
    Log("PlaceExcelWindow " + std::to_string(top) + "," + std::to_string(action));
  }

 private:
  void Log(std::string line) {
    log.push_back(line);
    if (failing_steps.count(line)) throw Error(u"ストリームへの書き込みエラー");
    if (const auto action = on_step.find(line); action != on_step.end()) action->second();
  }
};
