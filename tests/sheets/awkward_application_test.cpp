// The sheet operations against an application that does not behave as the plain sequences
// assume: a paste format known by another name, a workbook that refuses new sheets, alerts that
// do not come back on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "base/error.h"
#include "sheets/excel.h"
#include "tests/sheets/recording_application.h"

namespace {

using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

const char kActiveSheet[] = "App.ActiveSheet flags=3 args=";
const char kJapanese[] =
    "ActiveSheet.PasteSpecial flags=3 args=bstr:Unicode テキスト,bool:false,bool:false";
const char kEnglish[] =
    "ActiveSheet.PasteSpecial flags=3 args=bstr:Unicode Text,bool:false,bool:false";
const char kApplication[] = "App.Application flags=3 args=";
const char kCopyModeOff[] = "Application.CutCopyMode flags=4 args=bool:false";

TEST(PasteUnicodeText, TriesTheEnglishFormatNameOnlyWhenTheJapaneseOneIsRefused) {
  const struct {
    const char* application;
    std::set<int> refused_at;
    std::set<int> busy_at;
    bool raises;
    Lines calls;
  } cases[] = {
      {"Japanese", {}, {}, false, {kActiveSheet, kJapanese, kApplication, kCopyModeOff}},
      {"English", {2}, {}, false, {kActiveSheet, kJapanese, kEnglish, kApplication, kCopyModeOff}},
      {"neither name", {2, 3}, {}, true, {kActiveSheet, kJapanese, kEnglish}},
      {"busy, then Japanese",
       {},
       {2},
       false,
       {kActiveSheet, kJapanese, "wait 100", kJapanese, kApplication, kCopyModeOff}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.application);
    auto log = std::make_shared<CallLog>();
    log->refused_at = c.refused_at;
    log->busy_at = c.busy_at;
    sheets::Excel excel = AttachedExcel(log);
    if (c.raises) {
      EXPECT_THROW(excel.PasteUnicodeText(), sheets::Refused);
    } else {
      EXPECT_NO_THROW(excel.PasteUnicodeText());
    }
    EXPECT_EQ(log->calls, c.calls);
  }
}

TEST(PasteUnicodeText, AnApplicationStillBusyAfterTheBoundIsNotAskedForTheEnglishName) {
  auto log = std::make_shared<CallLog>();
  log->busy_from = 2;
  sheets::Excel excel = AttachedExcel(log);
  EXPECT_THROW(excel.PasteUnicodeText(), sheets::Busy);
  EXPECT_EQ(std::count(log->calls.begin(), log->calls.end(), kEnglish), 0);
}

TEST(AddSheetAfterLast, TellsARefusedAddFromARefusedRenameAndFromNoWorkbook) {
  // The calls: sheets, count, sheets, item, sheets, add, activesheet, name.
  const struct {
    int failing;
    bool add_refused;
  } cases[] = {{1, false}, {2, false}, {3, false}, {4, false},
               {5, false}, {6, true},  {7, false}, {8, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    auto log = std::make_shared<CallLog>();
    log->numbers = {{"count", 3}};
    log->refused_at = {c.failing};
    const sheets::SheetAdded added = AttachedExcel(log).AddSheetAfterLast(u"stops");
    EXPECT_EQ(added.result, -1);
    EXPECT_EQ(added.add_refused, c.add_refused);
  }
  auto log = std::make_shared<CallLog>();
  log->numbers = {{"count", 3}};
  const sheets::SheetAdded added = AttachedExcel(log).AddSheetAfterLast(u"stops");
  EXPECT_EQ(added.result, 1);
  EXPECT_FALSE(added.add_refused);
}

const char kAlertsOn[] = "App.DisplayAlerts flags=4 args=bool:true";

// DeleteSelectedSheets, then the release at the end of the run; the calls of the release only.
Lines ReleasedAfterDelete(std::shared_ptr<CallLog> log, int deletes = 1) {
  sheets::Excel excel = AttachedExcel(log);
  for (int i = 0; i < deletes; ++i) excel.DeleteSelectedSheets();
  log->calls.clear();
  excel.Release();
  return log->calls;
}

TEST(DisplayAlerts, ARestoreThatFailedIsPutOnceMoreAtTheRelease) {
  const struct {
    const char* restore;
    std::set<int> refused_at;
    std::set<int> busy_at;
    int deletes;
    Lines released;
  } cases[] = {
      {"done", {}, {}, 1, {}},
      {"busy once: tried again at once", {}, {5}, 1, {}},
      {"refused", {5}, {}, 1, {kAlertsOn}},
      {"refused after each of two deletes", {5, 10}, {}, 2, {kAlertsOn}},
      {"refused, then done after a second delete", {5}, {}, 2, {}},
      // The delete failed: alerts are put back on all the same.
      {"after a failed delete, refused", {4, 5}, {}, 1, {kAlertsOn}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.restore);
    auto log = std::make_shared<CallLog>();
    log->refused_at = c.refused_at;
    log->busy_at = c.busy_at;
    EXPECT_EQ(ReleasedAfterDelete(log, c.deletes), c.released);
  }
}

TEST(DisplayAlerts, TheLastPutIsMadeOnlyForTheRunThatLeftThemOff) {
  auto log = std::make_shared<CallLog>();
  log->refused_at = {5};
  sheets::Excel excel = AttachedExcel(log);
  excel.DeleteSelectedSheets();
  excel.Release();
  ASSERT_EQ(excel.Connect([] { return false; }), 1);
  log->calls.clear();
  excel.Release();
  EXPECT_THAT(log->calls, IsEmpty());
}

}  // namespace
