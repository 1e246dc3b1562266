#include "app/import_run.h"

#include <exception>

#include "app/user_texts.h"
#include "base/error.h"
#include "base/retry.h"
#include "desktop/placement_rect.h"
#include "feed/feed_names.h"

namespace {

// A box with no window behind it would only puzzle a user who has closed the tool.
void Tell(ImportWindow& window, const std::u16string& text) {
  if (!window.WindowClosed()) window.ShowMessage(text);
}

void TellFailure(ImportWindow& window, const std::exception& failure) {
  if (!window.WindowClosed()) window.ShowFailure(FailureText(failure));
}

// Up to 15 pastes; false when every one failed.
bool PasteWithRetries(const ImportParts& run) {
  return RetryWithPauses(
      kHandOffRetries, [&] { run.sheets.PasteUnicodeText(); },
      [&](std::uint32_t ms) {
        run.desktop.ProcessPendingMessages();
        run.desktop.Sleep(ms);
      });
}

// One feed file into one fresh sheet at the end of the workbook. False when its text did not
// reach the sheet.
bool ImportFeedFile(const ImportParts& run, const std::u16string& folder,
                    const std::u16string& name) {
  const FeedFileNames names = FeedFileNamesOf(name);
  const std::u16string tab_text = run.feed.ConvertFeedFile(folder, names);
  try {
    if (run.sheets.SelectSheetByName(names.base) >= 0) run.sheets.DeleteSelectedSheets();
  } catch (const std::exception&) {
  }
  // The active sheet is then still one of the user's own: formatting and pasting would write
  // over their data.
  if (run.sheets.AddSheetAfterLast(names.base).add_refused) return false;
  const bool on_clipboard = run.feed.PutTabTextOnClipboard(tab_text);
  run.sheets.SelectAllCells();
  run.sheets.FormatSelectionAsText();
  run.sheets.SelectCell(1, 1);
  // The clipboard still holds the previous file's text when the hand-off gave up: pasting it
  // would fill this sheet with another file's data.
  const bool pasted = on_clipboard && PasteWithRetries(run);
  // A second for the application to finish with the paste, the tool's window kept answering.
  run.desktop.ProcessPendingMessages();
  run.desktop.Sleep(1000);
  // Again: the paste leaves its whole range selected, and the sheet is left at its first cell.
  run.sheets.SelectCell(1, 1);
  run.desktop.ProcessPendingMessages();
  return pasted;
}

// The names of the files whose text did not reach their sheet. A closed window ends the loop
// before the next file; a failure ends it at once.
std::vector<std::u16string> ImportFeedFiles(const ImportParts& run, const std::u16string& folder,
                                            const std::vector<std::u16string>& files) {
  std::vector<std::u16string> not_pasted;
  try {
    for (const auto& name : files) {
      if (run.window.WindowClosed()) break;
      run.window.ShowStatus(name);
      if (IsSkippedFeedFile(name, run.window.SkipFares(), run.window.SkipShapes())) continue;
      if (!ImportFeedFile(run, folder, name)) not_pasted.push_back(name);
    }
  } catch (const std::exception&) {
    Tell(run.window, kLoopFailed);
  }
  return not_pasted;
}

std::u16string NotPastedMessage(const std::vector<std::u16string>& names) {
  std::u16string text = kNotPasted;
  for (const auto& name : names) text += u"\r\n" + name;
  return text;
}

void RunImport(const ImportParts& run) {
  ImportWindow& window = run.window;
  window.ShowStatus(kStatusChoosing);
  const std::optional<std::u16string> archive = window.ChooseArchive();
  if (!archive || window.WindowClosed()) {
    window.ShowStatus(kStatusFinished);
    return;
  }
  window.ShowStatus(kStatusStarted);

  const std::u16string folder = run.feed.WorkingFolder();
  std::vector<std::u16string> files;
  try {
    run.feed.DeleteWorkingFolder(folder);
    run.feed.ExtractFeedArchive(*archive, folder);
    files = run.feed.ListFeedFiles(folder);
  } catch (const std::exception& failure) {
    TellFailure(window, failure);
    return;
  }

  if (run.excel.Connect([&window] { return window.WindowClosed(); }) == -1) {
    Tell(window, kCannotAttach);
    return;
  }
  // A second for the application to settle after the attach before its window comes forward.
  run.desktop.Sleep(1000);
  if (!window.WindowClosed()) run.desktop.BringUpExcelWindow();

  const std::vector<std::u16string> not_pasted = ImportFeedFiles(run, folder, files);

  // Excel is left as after any run even when the user closed the tool; only its window is then
  // no longer brought forward.
  try {
    run.sheets.SelectSheetByIndex(1);
  } catch (const std::exception&) {
  }
  // On since the attach, and put on again: the application keeps the setting once we are gone.
  run.sheets.SetScreenUpdating(1);
  if (!window.WindowClosed()) run.desktop.PlaceExcelWindow(kMarginAllRound, kSendEscape);
  run.excel.Release();
  if (!not_pasted.empty()) Tell(window, NotPastedMessage(not_pasted));
  window.ShowStatus(kStatusFinished);
}

}  // namespace

void ImportRun(const ImportParts& parts) {
  parts.window.EnableButton(false);
  try {
    RunImport(parts);
  } catch (const std::exception& failure) {
    TellFailure(parts.window, failure);
  }
  parts.window.EnableButton(true);
}
