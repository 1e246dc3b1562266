#include "app/import_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/app/recording_import_steps.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;

namespace {

// The run's opening, in its phases; the cases that stop inside it end after one of them.
const Lines kChosen = {"DisableButton", "Status GTFS選択中", "ChooseArchive"};
const Lines kStarted = {"Status 処理を開始"};
const Lines kUnpacked = {"DeleteWorkingFolder C:\\tool\\GTFS_TEMP",
                         "ExtractFeedArchive C:\\feeds\\feed.zip C:\\tool\\GTFS_TEMP"};
const Lines kAttached = {"ListFeedFiles", "ConnectExcel"};
const Lines kBroughtUp = {"Sleep 1000", "BringUpExcelWindow"};

const Lines kRelease = {"SelectSheetByIndex 1", "SetScreenUpdating 1", "PlaceExcelWindow 0,2",
                        "ReleaseExcel"};
const Lines kFinish = {"Status 処理終了", "EnableButton"};

const Lines kAfterPaste = {"Pump", "Sleep 1000", "SelectCell 1,1", "Pump"};

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines kUpToExtraction = Concat({kChosen, kStarted, kUnpacked});
const Lines kUpToAttach = Concat({kUpToExtraction, kAttached});
const Lines kStart = Concat({kUpToAttach, kBroughtUp});

Lines Repeat(const Lines& lines, int times) {
  Lines all;
  for (int i = 0; i < times; ++i) all.insert(all.end(), lines.begin(), lines.end());
  return all;
}

// A file's steps from its status up to the paste, in its phases.
Lines Converted(const std::string& name) {
  return {"Status " + name, "ConvertFeedFile " + name};
}
Lines SheetAdded(const std::string& base) {
  return {"SelectSheetByName " + base, "AddSheetAfterLast " + base};
}
Lines Formatted(const std::string& name) {
  return {"Clipboard tab text of " + name, "SelectAllCells", "FormatSelectionAsText",
          "SelectCell 1,1"};
}
Lines UpToPaste(const std::string& name, const std::string& base) {
  return Concat({Converted(name), SheetAdded(base), Formatted(name)});
}
const Lines kPasted = Concat({{"PasteUnicodeText"}, kAfterPaste});

// The steps for one file that converts and pastes at the first attempt.
Lines ImportedFile(const std::string& name, const std::string& base) {
  return Concat({UpToPaste(name, base), kPasted});
}

// base.txt, imported.
Lines Imported(const std::string& base) {
  return ImportedFile(base + ".txt", base);
}

Lines Skipped(const std::string& name) {
  return {"Status " + name};
}

Lines LogOf(RecordingImportSteps& steps) {
  ImportRun(steps.Parts());
  return steps.log;
}

}  // namespace

TEST(ImportRun, CancelledDialogTouchesNothing) {
  RecordingImportSteps steps;
  steps.archive.reset();
  EXPECT_THAT(LogOf(steps), ElementsAre("DisableButton", "Status GTFS選択中", "ChooseArchive",
                                        "Status 処理終了", "EnableButton"));
}

TEST(ImportRun, ImportsEveryFileInListOrderSkippingFaresAndShapes) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt", u"fare_rules.txt", u"shapes.txt", u"stop_times.txt"};
  EXPECT_THAT(LogOf(steps), ElementsAreArray(Concat({kStart,
                                                     ImportedFile("agency.txt", "agency"),
                                                     {"Status fare_rules.txt", "Status shapes.txt"},
                                                     ImportedFile("stop_times.txt", "stop_times"),
                                                     kRelease,
                                                     kFinish})));
}

TEST(ImportRun, ReadsTheCheckBoxesAfreshForEachFile) {
  // The user toggles one box while agency.txt is being pasted: the files before it keep the old
  // setting, those after it get the new one.
  const struct {
    const char* toggled;
    bool fares_box, fares_before, shapes_before;
    Lines files;
  } cases[] = {
      {"fares on to off", true, true, true,
       Concat({Skipped("fare_rules.txt"), Skipped("shapes.txt"), Imported("agency"),
               Imported("fare_attributes"), Skipped("shape_dist.txt")})},
      {"fares off to on", true, false, true,
       Concat({Imported("fare_rules"), Skipped("shapes.txt"), Imported("agency"),
               Skipped("fare_attributes.txt"), Skipped("shape_dist.txt")})},
      {"shapes on to off", false, true, true,
       Concat({Skipped("fare_rules.txt"), Skipped("shapes.txt"), Imported("agency"),
               Skipped("fare_attributes.txt"), Imported("shape_dist")})},
      {"shapes off to on", false, true, false,
       Concat({Skipped("fare_rules.txt"), Imported("shapes"), Imported("agency"),
               Skipped("fare_attributes.txt"), Skipped("shape_dist.txt")})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.toggled);
    RecordingImportSteps steps;
    steps.files = {u"fare_rules.txt", u"shapes.txt", u"agency.txt", u"fare_attributes.txt",
                   u"shape_dist.txt"};
    steps.skip_fares = c.fares_before;
    steps.skip_shapes = c.shapes_before;
    bool& box = c.fares_box ? steps.skip_fares : steps.skip_shapes;
    steps.on_step["Clipboard tab text of agency.txt"] = [&box] { box = !box; };
    EXPECT_THAT(LogOf(steps), ElementsAreArray(Concat({kStart, c.files, kRelease, kFinish})));
  }
}

TEST(ImportRun, DeletesTheOldSheetOnlyWhenOneOfTheNameWasSelected) {
  for (const std::int32_t selected : {0, -1}) {
    SCOPED_TRACE(selected);
    RecordingImportSteps steps;
    steps.files = {u"stops.txt"};
    steps.select_by_name_result = selected;
    const Lines replaced = selected == 0 ? Lines{"DeleteSelectedSheets"} : Lines{};
    const Lines file = Concat({Converted("stops.txt"),
                               {"SelectSheetByName stops"},
                               replaced,
                               {"AddSheetAfterLast stops"},
                               Formatted("stops.txt"),
                               kPasted});
    EXPECT_THAT(LogOf(steps), ElementsAreArray(Concat({kStart, file, kRelease, kFinish})));
  }
}

TEST(ImportRun, ExtractionFailureIsShownAndTheRunEndsWithTheButtonBack) {
  RecordingImportSteps steps;
  steps.extraction_failure = u"zip ファイルを読み取る際にエラーが発生しました";
  EXPECT_THAT(LogOf(steps),
              ElementsAreArray(Concat(
                  {kUpToExtraction,
                   {"Failure zip ファイルを読み取る際にエラーが発生しました", "EnableButton"}})));
}

TEST(ImportRun, FailedAttachShowsTheFirstMessageAndKeepsTheStatus) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt"};
  steps.connect_result = -1;
  EXPECT_THAT(LogOf(steps),
              ElementsAreArray(Concat(
                  {kUpToAttach,
                   {"Message ×Excelをコントロールできません。エクセルを起動していないか、タスクのゴ"
                    "ミとして何か残っている可能性があります。",
                    "EnableButton"}})));
}

TEST(ImportRun, FailureInTheLoopStopsAtThatFileAndStillRunsTheEndSteps) {
  const Lines agency_sheet = Concat({Converted("agency.txt"), SheetAdded("agency")});
  const struct {
    const char* failing;
    Lines done;  // up to and including the failing step
  } cases[] = {
      {"ConvertFeedFile routes.txt",
       Concat({ImportedFile("agency.txt", "agency"), Converted("routes.txt")})},
      {"SelectAllCells",
       Concat({agency_sheet, {"Clipboard tab text of agency.txt", "SelectAllCells"}})},
      {"FormatSelectionAsText",
       Concat({agency_sheet,
               {"Clipboard tab text of agency.txt", "SelectAllCells", "FormatSelectionAsText"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    RecordingImportSteps steps;
    steps.files = {u"agency.txt", u"routes.txt", u"stops.txt"};
    steps.failing_steps = {c.failing};
    EXPECT_THAT(
        LogOf(steps),
        ElementsAreArray(Concat({kStart,
                                 c.done,
                                 {"Message ×Excelをコントロールできません。出力は失敗しました。"},
                                 kRelease,
                                 kFinish})));
  }
}

TEST(ImportRun, AFailingReplacementOfTheOldSheetIsIgnored) {
  for (const char* failing : {"SelectSheetByName stops", "DeleteSelectedSheets"}) {
    SCOPED_TRACE(failing);
    RecordingImportSteps steps;
    steps.files = {u"stops.txt"};
    steps.select_by_name_result = 0;
    steps.failing_steps = {failing};
    const Lines deleted = failing == std::string("DeleteSelectedSheets") ? Lines{failing} : Lines{};
    const Lines file = Concat({Converted("stops.txt"),
                               {"SelectSheetByName stops"},
                               deleted,
                               {"AddSheetAfterLast stops"},
                               Formatted("stops.txt"),
                               kPasted});
    EXPECT_THAT(LogOf(steps), ElementsAreArray(Concat({kStart, file, kRelease, kFinish})));
  }
}

TEST(ImportRun, RetriesThePasteFifteenTimesWithPumpAndSleepAfterEachFailure) {
  const Lines failure = {"PasteUnicodeText", "Pump", "Sleep 300"};
  const Lines listed = {"Message 次のファイルはシートに貼り付けられませんでした。\r\nagency.txt"};
  const struct {
    int failing;
    Lines pastes;
    Lines message;
  } cases[] = {
      // The retry is the base's; the run's own are the count, the pause, the pump before it.
      {14, Concat({Repeat(failure, 14), {"PasteUnicodeText"}}), {}},
      {15, Repeat(failure, 15), listed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    RecordingImportSteps steps;
    steps.files = {u"agency.txt"};
    steps.failing_pastes = c.failing;
    EXPECT_THAT(LogOf(steps),
                ElementsAreArray(Concat({kStart, UpToPaste("agency.txt", "agency"), c.pastes,
                                         kAfterPaste, kRelease, c.message, kFinish})));
  }
}

TEST(ImportRun, FilesWhoseTextNeverReachedTheirSheetAreListedBeforeTheEnd) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt", u"routes.txt", u"stops.txt"};
  steps.failing_clipboard_files = 1;  // agency.txt: the clipboard stayed busy
  steps.failing_pastes = 15;          // routes.txt: every paste failed
  // No paste at all for agency.txt: the clipboard still held another text.
  EXPECT_THAT(LogOf(steps),
              ElementsAreArray(Concat(
                  {kStart,
                   UpToPaste("agency.txt", "agency"),
                   kAfterPaste,
                   UpToPaste("routes.txt", "routes"),
                   Repeat({"PasteUnicodeText", "Pump", "Sleep 300"}, 15),
                   kAfterPaste,
                   ImportedFile("stops.txt", "stops"),
                   kRelease,
                   {"Message 次のファイルはシートに貼り付けられませんでした。\r\nagency.txt\r\n"
                    "routes.txt"},
                   kFinish})));
}

TEST(ImportRun, ClosingTheWindowStopsTheRunWithExcelLeftAsAfterAnyRunAndNoBox) {
  const Lines excel_left = {"SelectSheetByIndex 1", "SetScreenUpdating 1", "ReleaseExcel"};
  const Lines stopped = {"Status 処理終了", "EnableButton"};
  const struct {
    const char* closed_at;
    std::int32_t connect_result;
    Lines expected;
  } cases[] = {
      {"ChooseArchive", 1, Concat({kChosen, stopped})},
      // The attach attempts gave up: no message that Excel cannot be reached.
      {"ConnectExcel", -1, Concat({kUpToAttach, {"EnableButton"}})},
      {"ConnectExcel", 1, Concat({kUpToAttach, {"Sleep 1000"}, excel_left, stopped})},
      // The file being pasted finishes; the fares and shapes that follow are not read, whatever
      // the boxes say, and neither is any other file. Its failed pastes are not listed.
      {"PasteUnicodeText", 1,
       Concat({kStart, UpToPaste("agency.txt", "agency"),
               Repeat({"PasteUnicodeText", "Pump", "Sleep 300"}, 15), kAfterPaste, excel_left,
               stopped})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.closed_at) + " " + std::to_string(c.connect_result));
    RecordingImportSteps steps;
    steps.files = {u"agency.txt", u"fare_rules.txt", u"shapes.txt", u"stops.txt"};
    steps.skip_fares = false;
    steps.skip_shapes = false;
    steps.connect_result = c.connect_result;
    steps.failing_pastes = 15;
    steps.on_step[c.closed_at] = [&steps] { steps.window_closed = true; };
    EXPECT_THAT(LogOf(steps), ElementsAreArray(c.expected));
  }
}

TEST(ImportRun, TheAttachGivesUpExactlyWhenTheWindowIsClosed) {
  RecordingImportSteps steps;
  std::vector<bool> answers;
  steps.on_step["ConnectExcel"] = [&] {
    answers.push_back(steps.given_up());
    steps.window_closed = true;
    answers.push_back(steps.given_up());
  };
  LogOf(steps);
  EXPECT_THAT(answers, ElementsAre(false, true));
}

TEST(ImportRun, FailuresAfterTheWindowClosedShowNoBox) {
  RecordingImportSteps extraction;
  extraction.extraction_failure = u"zip ファイルを読み取る際にエラーが発生しました";
  extraction.on_step["DeleteWorkingFolder C:\\tool\\GTFS_TEMP"] = [&] {
    extraction.window_closed = true;
  };
  EXPECT_THAT(LogOf(extraction), ElementsAreArray(Concat({kUpToExtraction, {"EnableButton"}})));

  RecordingImportSteps loop;
  loop.files = {u"agency.txt"};
  loop.failing_steps = {"SelectAllCells"};
  loop.on_step["AddSheetAfterLast agency"] = [&] { loop.window_closed = true; };
  EXPECT_THAT(LogOf(loop),
              ElementsAreArray(Concat({kStart,
                                       Converted("agency.txt"),
                                       SheetAdded("agency"),
                                       {"Clipboard tab text of agency.txt", "SelectAllCells"},
                                       {"SelectSheetByIndex 1", "SetScreenUpdating 1",
                                        "ReleaseExcel", "Status 処理終了", "EnableButton"}})));
}

TEST(ImportRun, AnUnexpectedFailureIsShownOnceAndTheButtonComesBack) {
  const Lines agency = ImportedFile("agency.txt", "agency");
  const struct {
    const char* failing;
    Lines done;  // up to and including the failing step
  } cases[] = {
      {"Status GTFS選択中", {"DisableButton", "Status GTFS選択中"}},
      {"Status 処理を開始", Concat({kChosen, kStarted})},
      {"BringUpExcelWindow", kStart},
      {"SetScreenUpdating 1",
       Concat({kStart, agency, {"SelectSheetByIndex 1", "SetScreenUpdating 1"}})},
      {"ReleaseExcel", Concat({kStart, agency, kRelease})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    RecordingImportSteps steps;
    steps.files = {u"agency.txt"};
    steps.failing_steps = {c.failing};
    EXPECT_THAT(LogOf(steps),
                ElementsAreArray(
                    Concat({c.done, {"Failure ストリームへの書き込みエラー", "EnableButton"}})));
  }
}

TEST(ImportRun, AFileWhoseSheetWasRefusedWritesNoSheetOfTheUsersAndIsListed) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt", u"stops.txt"};
  steps.add_result = {-1, true};
  // Converted (its copy written), then nothing more: the active sheet is the user's own.
  const auto refused = [](const std::string& base) {
    return Concat({Converted(base + ".txt"), SheetAdded(base)});
  };
  EXPECT_THAT(LogOf(steps),
              ElementsAreArray(Concat(
                  {kStart,
                   refused("agency"),
                   refused("stops"),
                   kRelease,
                   {"Message 次のファイルはシートに貼り付けられませんでした。\r\nagency.txt\r\n"
                    "stops.txt"},
                   kFinish})));
}

TEST(ImportRun, ASheetThatKeptTheApplicationsNameGetsTheDataAsAnyOther) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt"};
  steps.add_result = {-1, false};  // the rename refused, or no workbook: the later steps tell
  EXPECT_THAT(
      LogOf(steps),
      ElementsAreArray(Concat({kStart, ImportedFile("agency.txt", "agency"), kRelease, kFinish})));
}
