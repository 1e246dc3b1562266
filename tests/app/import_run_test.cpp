#include "app/import_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/app/recording_import_steps.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsSubsetOf;
using ::testing::Not;
using Lines = std::vector<std::string>;

namespace {

const Lines kStart = {"DisableButton",
                      "Status GTFS選択中",
                      "ChooseArchive",
                      "Status 処理を開始",
                      "DeleteWorkingFolder C:\\tool\\GTFS_TEMP",
                      "ExtractFeedArchive C:\\feeds\\feed.zip C:\\tool\\GTFS_TEMP",
                      "ListFeedFiles",
                      "ConnectExcel",
                      "Sleep 1000",
                      "BringUpExcelWindow"};

const Lines kEnd = {"SelectSheetByIndex 1", "SetScreenUpdating 1", "PlaceExcelWindow 0,2",
                    "ReleaseExcel",         "Status 処理終了",     "EnableButton"};

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The steps for one file that converts and pastes at the first attempt.
Lines ImportedFile(const std::string& name, const std::string& base) {
  return {"Status " + name,
          "ConvertFeedFile " + name,
          "SelectSheetByName " + base,
          "AddSheetAfterLast " + base,
          "Clipboard tab text of " + name,
          "SelectAllCells",
          "FormatSelectionAsText",
          "SelectCell 1,1",
          "PasteUnicodeText",
          "Pump",
          "Sleep 1000",
          "SelectCell 1,1",
          "Pump"};
}

}  // namespace

TEST(ImportRun, CancelledDialogTouchesNothing) {
  RecordingImportSteps steps;
  steps.archive.reset();
  ImportRun(steps);
  EXPECT_THAT(steps.log, ElementsAre("DisableButton", "Status GTFS選択中", "ChooseArchive",
                                     "Status 処理終了", "EnableButton"));
}

TEST(ImportRun, ImportsEveryFileInListOrderSkippingFaresAndShapes) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt", u"fare_rules.txt", u"shapes.txt", u"stop_times.txt"};
  ImportRun(steps);
  EXPECT_THAT(steps.log, ElementsAreArray(Concat({kStart,
                                                  ImportedFile("agency.txt", "agency"),
                                                  {"Status fare_rules.txt", "Status shapes.txt"},
                                                  ImportedFile("stop_times.txt", "stop_times"),
                                                  kEnd})));
}

TEST(ImportRun, ReadsTheCheckBoxesForEachFile) {
  RecordingImportSteps steps;
  steps.skip_fares = false;
  steps.skip_shapes = false;
  steps.files = {u"fare_rules.txt", u"shapes.txt"};
  ImportRun(steps);
  EXPECT_THAT(steps.log, Contains("ConvertFeedFile fare_rules.txt"));
  EXPECT_THAT(steps.log, Contains("ConvertFeedFile shapes.txt"));
}

TEST(ImportRun, ReplacesASheetOfTheSameName) {
  RecordingImportSteps steps;
  steps.files = {u"stops.txt"};
  steps.select_by_name_result = 0;
  ImportRun(steps);
  EXPECT_THAT((Lines{"SelectSheetByName stops", "DeleteSelectedSheets", "AddSheetAfterLast stops"}),
              IsSubsetOf(steps.log));
}

TEST(ImportRun, ExtractionFailureIsShownAndTheRunEndsWithTheButtonBack) {
  RecordingImportSteps steps;
  steps.extraction_failure = u"zip ファイルを読み取る際にエラーが発生しました";
  ImportRun(steps);
  EXPECT_EQ(steps.log.back(), "EnableButton");
  EXPECT_EQ(steps.log[steps.log.size() - 2],
            "Failure zip ファイルを読み取る際にエラーが発生しました");
  EXPECT_THAT(steps.log, Not(Contains("ConnectExcel")));
  EXPECT_THAT(steps.log, Not(Contains("Status 処理終了")));
}

TEST(ImportRun, FailedAttachShowsTheFirstMessageAndKeepsTheStatus) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt"};
  steps.connect_result = -1;
  ImportRun(steps);
  EXPECT_THAT(steps.log,
              ElementsAreArray(Concat(
                  {Lines(kStart.begin(), kStart.begin() + 8),
                   {"Message ×Excelをコントロールできません。エクセルを起動していないか、タスクのゴ"
                    "ミとして何か残っている可能性があります。",
                    "EnableButton"}})));
}

TEST(ImportRun, FailureInTheLoopStopsAtThatFileAndStillRunsTheEndSteps) {
  for (const bool in_conversion : {true, false}) {
    RecordingImportSteps steps;
    steps.files = {u"agency.txt", u"routes.txt", u"stops.txt"};
    if (in_conversion) {
      steps.conversion_failures = {u"routes.txt"};
    } else {
      steps.select_all_fails = true;
    }
    ImportRun(steps);
    EXPECT_THAT(steps.log, Not(Contains("ConvertFeedFile stops.txt")));
    const Lines tail =
        Concat({{"Message ×Excelをコントロールできません。出力は失敗しました。"}, kEnd});
    EXPECT_THAT(Lines(steps.log.end() - static_cast<long>(tail.size()), steps.log.end()),
                ElementsAreArray(tail));
  }
}

TEST(ImportRun, RetriesThePasteUpToFifteenTimes) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt"};
  steps.failing_pastes = 2;
  ImportRun(steps);
  const Lines retry = {"PasteUnicodeText", "Pump", "Sleep 300"};
  EXPECT_THAT(Concat({retry, retry, {"PasteUnicodeText", "Pump", "Sleep 1000"}}),
              IsSubsetOf(steps.log));
  EXPECT_THAT(steps.log, Not(Contains(::testing::StartsWith("Message"))));
}

TEST(ImportRun, FilesWhoseTextNeverReachedTheirSheetAreListedBeforeTheEnd) {
  RecordingImportSteps steps;
  steps.files = {u"agency.txt", u"routes.txt", u"stops.txt"};
  steps.failing_clipboard_files = 1;  // agency.txt: the clipboard stayed busy
  steps.failing_pastes = 15 + 0;      // routes.txt: every paste failed
  ImportRun(steps);
  EXPECT_EQ(std::count(steps.log.begin(), steps.log.end(), "PasteUnicodeText"), 15 + 1);
  // No stale paste for the file whose text never reached the clipboard.
  const auto agency = std::find(steps.log.begin(), steps.log.end(), "Status agency.txt");
  const auto routes = std::find(steps.log.begin(), steps.log.end(), "Status routes.txt");
  EXPECT_EQ(std::count(agency, routes, "PasteUnicodeText"), 0);
  EXPECT_THAT(steps.log, Contains("Message 次のファイルはシートに貼り付けられませんでした。\r\n"
                                  "agency.txt\r\nroutes.txt"));
  EXPECT_THAT(
      Lines(steps.log.end() - 3, steps.log.end()),
      ElementsAre(::testing::StartsWith("Message 次の"), "Status 処理終了", "EnableButton"));
}
