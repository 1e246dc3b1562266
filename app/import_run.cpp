#include "app/import_run.h"

#include <exception>

#include "base/error.h"
#include "base/retry.h"
#include "desktop/placement_rect.h"
#include "feed/feed_names.h"

namespace {

constexpr int kPasteAttempts = 15;
constexpr std::uint32_t kPastePauseMs = 300;

const std::u16string kStatusChoosing = u"GTFS選択中";
const std::u16string kStatusStarted = u"処理を開始";
const std::u16string kStatusFinished = u"処理終了";
const std::u16string kCannotAttach =
    u"×Excelをコントロールできません。エクセルを起動していないか、タスクのゴミとして何か残って"
    u"いる可能性があります。";
const std::u16string kLoopFailed = u"×Excelをコントロールできません。出力は失敗しました。";
const std::u16string kNotPasted = u"次のファイルはシートに貼り付けられませんでした。";

// A box with no window behind it would only puzzle a user who has closed the tool.
void Tell(ImportSteps& steps, const std::u16string& text) {
  if (!steps.WindowClosed()) steps.ShowMessage(text);
}

void TellFailure(ImportSteps& steps, const std::exception& failure) {
  if (!steps.WindowClosed()) steps.ShowFailure(FailureText(failure));
}

// Up to 15 pastes; false when every one failed.
bool PasteWithRetries(ImportSteps& steps) {
  return RetryWithPauses(
      kPasteAttempts, [&] { steps.PasteUnicodeText(); },
      [&] {
        steps.ProcessPendingMessages();
        steps.Sleep(kPastePauseMs);
      });
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

// The names of the files whose text did not reach their sheet. A closed window ends the loop
// before the next file; a failure ends it at once.
std::vector<std::u16string> ImportFeedFiles(ImportSteps& steps, const std::u16string& folder,
                                            const std::vector<std::u16string>& files) {
  std::vector<std::u16string> not_pasted;
  try {
    for (const auto& name : files) {
      if (steps.WindowClosed()) break;
      steps.ShowStatus(name);
      if (IsSkippedFeedFile(name, steps.SkipFares(), steps.SkipShapes())) continue;
      if (!ImportFeedFile(steps, folder, name)) not_pasted.push_back(name);
    }
  } catch (const std::exception&) {
    Tell(steps, kLoopFailed);
  }
  return not_pasted;
}

std::u16string NotPastedMessage(const std::vector<std::u16string>& names) {
  std::u16string text = kNotPasted;
  for (const auto& name : names) text += u"\r\n" + name;
  return text;
}

void RunImport(ImportSteps& steps) {
  steps.ShowStatus(kStatusChoosing);
  const std::optional<std::u16string> archive = steps.ChooseArchive();
  if (!archive || steps.WindowClosed()) {
    steps.ShowStatus(kStatusFinished);
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
    TellFailure(steps, failure);
    return;
  }

  if (steps.ConnectExcel() == -1) {
    Tell(steps, kCannotAttach);
    return;
  }
  steps.Sleep(1000);
  if (!steps.WindowClosed()) steps.BringUpExcelWindow();

  const std::vector<std::u16string> not_pasted = ImportFeedFiles(steps, folder, files);

  // Excel is left as after any run even when the user closed the tool; only its window is then
  // no longer brought forward.
  try {
    steps.SelectSheetByIndex(1);
  } catch (const std::exception&) {
  }
  steps.SetScreenUpdating(1);
  if (!steps.WindowClosed()) steps.PlaceExcelWindow(kMarginAllRound, kSendEscape);
  steps.ReleaseExcel();
  if (!not_pasted.empty()) Tell(steps, NotPastedMessage(not_pasted));
  steps.ShowStatus(kStatusFinished);
}

}  // namespace

void ImportRun(ImportSteps& steps) {
  steps.EnableButton(false);
  try {
    RunImport(steps);
  } catch (const std::exception& failure) {
    TellFailure(steps, failure);
  }
  steps.EnableButton(true);
}
