#include "app/import_run.h"

#include <exception>

#include "app/base/error.h"
#include "feed/feed_names.h"

namespace {

constexpr int kAttempts = 15;

const std::u16string kStatusChoosing = u"GTFS選択中";
const std::u16string kStatusStarted = u"処理を開始";
const std::u16string kStatusFinished = u"処理終了";
const std::u16string kCannotAttach =
    u"×Excelをコントロールできません。エクセルを起動していないか、タスクのゴミとして何か残って"
    u"いる可能性があります。";
const std::u16string kLoopFailed = u"×Excelをコントロールできません。出力は失敗しました。";
const std::u16string kNotPasted = u"次のファイルはシートに貼り付けられませんでした。";

// Up to 15 pastes; false when every one failed.
bool PasteWithRetries(ImportSteps& steps) {
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    try {
      steps.PasteUnicodeText();
      return true;
    } catch (const std::exception&) {
      steps.ProcessPendingMessages();
      steps.Sleep(300);
    }
  }
  return false;
}

// One feed file into one fresh sheet at the end of the workbook. False when its text did not
// reach the sheet.
bool ImportFeedFile(ImportSteps& steps, const std::u16string& folder, const std::u16string& name) {
  const FeedFileNames names = FeedFileNamesOf(name);
  const std::u16string tab_text = steps.ConvertFeedFile(folder, name);
  try {
    if (steps.SelectSheetByName(names.base) >= 0) steps.DeleteSelectedSheets();
  } catch (const std::exception&) {
  }
  steps.AddSheetAfterLast(names.base);
  const bool on_clipboard = steps.PutTabTextOnClipboard(tab_text);
  steps.SelectAllCells();
  steps.FormatSelectionAsText();
  steps.SelectCell(1, 1);
  // The clipboard still holds the previous file's text when the hand-off gave up: pasting it
  // would fill this sheet with another file's data.
  const bool pasted = on_clipboard && PasteWithRetries(steps);
  steps.ProcessPendingMessages();
  steps.Sleep(1000);
  steps.SelectCell(1, 1);
  steps.ProcessPendingMessages();
  return pasted;
}

std::u16string NotPastedMessage(const std::vector<std::u16string>& names) {
  std::u16string text = kNotPasted;
  for (const auto& name : names) text += u"\r\n" + name;
  return text;
}

}  // namespace

void ImportRun(ImportSteps& steps) {
  steps.EnableButton(false);
  steps.ShowStatus(kStatusChoosing);
  const std::optional<std::u16string> archive = steps.ChooseArchive();
  if (!archive) {
    steps.ShowStatus(kStatusFinished);
    steps.EnableButton(true);
    return;
  }
  steps.ShowStatus(kStatusStarted);

  const std::u16string folder = steps.WorkingFolder();
  std::vector<std::u16string> files;
  try {
    steps.DeleteWorkingFolder(folder);
    steps.ExtractFeedArchive(*archive, folder);
    files = steps.ListFeedFiles(folder);
  } catch (const std::exception& failure) {
    steps.ShowFailure(FailureText(failure));
    steps.EnableButton(true);
    return;
  }

  if (steps.ConnectExcel() == -1) {
    steps.ShowMessage(kCannotAttach);
    steps.EnableButton(true);
    return;
  }
  steps.Sleep(1000);
  steps.BringUpExcelWindow();

  std::vector<std::u16string> not_pasted;
  try {
    for (const auto& name : files) {
      steps.ShowStatus(name);
      if (IsSkippedFeedFile(name, steps.SkipFares(), steps.SkipShapes())) continue;
      if (!ImportFeedFile(steps, folder, name)) not_pasted.push_back(name);
    }
  } catch (const std::exception&) {
    steps.ShowMessage(kLoopFailed);
  }

  try {
    steps.SelectSheetByIndex(1);
  } catch (const std::exception&) {
  }
  steps.SetScreenUpdating(1);
  steps.PlaceExcelWindow(0, 2);
  steps.ReleaseExcel();
  if (!not_pasted.empty()) steps.ShowMessage(NotPastedMessage(not_pasted));
  steps.ShowStatus(kStatusFinished);
  steps.EnableButton(true);
}
