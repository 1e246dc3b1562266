#include "sheets/excel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/error.h"
#include "tests/sheets/recording_application.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

enum class Handling { kCaught, kIgnored, kRaised };

struct Operation {
  const char* name;
  std::function<int32_t(sheets::Excel&)> run;  // 0 for those without a result
  Handling handling;
  int32_t success;
  std::vector<std::string> calls;
  std::vector<std::string> restore = {};  // sent after a failure between the first and last call
};

std::function<int32_t(sheets::Excel&)> NoResult(std::function<void(sheets::Excel&)> operation) {
  return [operation](sheets::Excel& excel) {
    operation(excel);
    return 0;
  };
}

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"SetScreenUpdating",
       NoResult([](sheets::Excel& excel) { excel.SetScreenUpdating(5); }),
       Handling::kIgnored,
       0,
       {"App.ScreenUpdating flags=4 args=bool:true"}},
      {"SelectSheetByName",
       [](sheets::Excel& excel) { return excel.SelectSheetByName(u"stops"); },
       Handling::kCaught,
       0,
       {"App.sheets flags=3 args=bstr&:stops", "sheets.select flags=1 args="}},
      {"DeleteSelectedSheets",
       [](sheets::Excel& excel) { return excel.DeleteSelectedSheets(); },
       Handling::kCaught,
       1,
       {"App.DisplayAlerts flags=4 args=bool:false",
        "App.ActiveWindow flags=3 args=", "ActiveWindow.SelectedSheets flags=3 args=",
        "SelectedSheets.Delete flags=1 args=", "App.DisplayAlerts flags=4 args=bool:true"},
       {"App.DisplayAlerts flags=4 args=bool:true"}},
      {"AddSheetAfterLast",
       [](sheets::Excel& excel) { return excel.AddSheetAfterLast(u"停留所"); },
       Handling::kCaught,
       1,
       {"App.sheets flags=3 args=", "sheets.count flags=3 args=", "App.sheets flags=3 args=",
        "sheets.item flags=3 args=i4&:3",
        "App.sheets flags=3 args=", "sheets.add flags=3 args=missing,object:item",
        "App.activesheet flags=3 args=", "activesheet.name flags=4 args=bstr&:停留所"}},
      {"SelectAllCells",
       NoResult([](sheets::Excel& excel) { excel.SelectAllCells(); }),
       Handling::kRaised,
       0,
       {"App.Cells flags=3 args=", "Cells.Select flags=1 args="}},
      {"FormatSelectionAsText",
       NoResult([](sheets::Excel& excel) { excel.FormatSelectionAsText(); }),
       Handling::kRaised,
       0,
       {"App.Selection flags=3 args=", "Selection.NumberFormatLocal flags=4 args=bstr:@"}},
      {"SelectCell",
       NoResult([](sheets::Excel& excel) { excel.SelectCell(2, 5); }),
       Handling::kIgnored,
       0,
       {"App.cells flags=3 args=i4&:2,i4&:5", "cells.select flags=1 args="}},
      {"PasteUnicodeText",
       NoResult([](sheets::Excel& excel) { excel.PasteUnicodeText(); }),
       Handling::kRaised,
       0,
       {"App.ActiveSheet flags=3 args=",
        "ActiveSheet.PasteSpecial flags=3 args=bstr:Unicode テキスト,bool:false,bool:false",
        "App.Application flags=3 args=", "Application.CutCopyMode flags=4 args=bool:false"}},
      {"SelectSheetByIndex",
       [](sheets::Excel& excel) { return excel.SelectSheetByIndex(1); },
       Handling::kCaught,
       0,
       {"App.sheets flags=3 args=", "sheets.item flags=3 args=i4&:1", "item.select flags=3 args="}},
  };
  return operations;
}

std::shared_ptr<CallLog> NewLog() {
  auto log = std::make_shared<CallLog>();
  log->numbers = {{"count", 3}, {"select", 0}};
  return log;
}

// Runs the operation and checks that a failure inside came out as the operation promises.
void ExpectFailureHandled(const Operation& operation, sheets::Excel& excel) {
  switch (operation.handling) {
    case Handling::kCaught:
      EXPECT_EQ(operation.run(excel), -1);
      break;
    case Handling::kIgnored:
      EXPECT_NO_THROW(operation.run(excel));
      break;
    case Handling::kRaised:
      try {
        operation.run(excel);
        ADD_FAILURE() << "nothing raised";
      } catch (const Error& error) {
        EXPECT_EQ(error.text(), kRefusal);
      }
      break;
  }
}

TEST(SheetOperations, SendTheirCallsInOrder) {
  for (const Operation& operation : Operations()) {
    SCOPED_TRACE(operation.name);
    auto log = NewLog();
    sheets::Excel excel = AttachedExcel(log);
    EXPECT_EQ(operation.run(excel), operation.success);
    EXPECT_EQ(log->calls, operation.calls);
  }
}

TEST(SheetOperations, StopAtAnyFailingCallAndReportAsPromised) {
  for (const Operation& operation : Operations()) {
    for (std::size_t failing = 1; failing <= operation.calls.size(); ++failing) {
      SCOPED_TRACE(std::string(operation.name) + " failing at call " + std::to_string(failing));
      auto log = NewLog();
      sheets::Excel excel = AttachedExcel(log);
      log->fail_at = static_cast<int>(failing);
      ExpectFailureHandled(operation, excel);
      std::vector<std::string> expected(operation.calls.begin(), operation.calls.begin() + failing);
      if (failing > 1 && failing < operation.calls.size()) {
        expected.insert(expected.end(), operation.restore.begin(), operation.restore.end());
      }
      EXPECT_EQ(log->calls, expected);
    }
  }
}

TEST(SheetOperations, OnADetachedReferenceFailAsPromisedWithoutCalls) {
  for (const Operation& operation : Operations()) {
    SCOPED_TRACE(operation.name);
    auto log = NewLog();
    log->detached = true;
    sheets::Excel excel = DetachedExcel(log);
    if (operation.handling == Handling::kRaised) {
      EXPECT_THROW(operation.run(excel), Error);
    } else {
      ExpectFailureHandled(operation, excel);
    }
    EXPECT_THAT(log->calls, IsEmpty());
  }
}

TEST(SheetOperations, ScreenUpdatingSendsZeroAsFalseAndAnyOtherValueAsTrue) {
  auto log = NewLog();
  sheets::Excel excel = AttachedExcel(log);
  for (const int32_t on : {0, -1, 1}) excel.SetScreenUpdating(on);
  EXPECT_THAT(log->calls, ElementsAre("App.ScreenUpdating flags=4 args=bool:false",
                                      "App.ScreenUpdating flags=4 args=bool:true",
                                      "App.ScreenUpdating flags=4 args=bool:true"));
}

TEST(SheetOperations, AddSheetAfterLastWithoutNameKeepsTheGivenName) {
  auto log = NewLog();
  EXPECT_EQ(AttachedExcel(log).AddSheetAfterLast(u""), 1);
  EXPECT_THAT(log->calls, ElementsAre("App.sheets flags=3 args=", "sheets.count flags=3 args=",
                                      "App.sheets flags=3 args=", "sheets.item flags=3 args=i4&:3",
                                      "App.sheets flags=3 args=",
                                      "sheets.add flags=3 args=missing,object:item"));
}

TEST(SheetOperations, AddSheetAfterLastFailsOnACountThatIsNoNumber) {
  auto log = NewLog();
  log->numbers.erase("count");
  EXPECT_EQ(AttachedExcel(log).AddSheetAfterLast(u"stops"), -1);
  EXPECT_THAT(log->calls, ElementsAre("App.sheets flags=3 args=", "sheets.count flags=3 args="));
}

TEST(SheetOperations, SelectSheetByIndexGivesTheSelectResultAsInteger) {
  auto log = NewLog();
  sheets::Excel excel = AttachedExcel(log);
  log->numbers["select"] = 7;
  EXPECT_EQ(excel.SelectSheetByIndex(1), 7);
  log->numbers.erase("select");
  EXPECT_EQ(excel.SelectSheetByIndex(1), -1);
}

}  // namespace
