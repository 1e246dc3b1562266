#include "sheets/busy_retry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "sheets/excel.h"
#include "tests/sheets/recording_application.h"

namespace {

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

const char kCells[] = "App.Cells flags=3 args=";
const char kSelect[] = "Cells.Select flags=1 args=";
const char kPause[] = "wait 100";

// The call turned away again and again: SelectAllCells' first call, each time after a pause.
Lines CellsTried(int times) {
  Lines lines;
  for (int i = 0; i < times; ++i) {
    if (i) lines.push_back(kPause);
    lines.push_back(kCells);
  }
  return lines;
}

void ExpectBusyRaised(sheets::Excel& excel) {
  try {
    excel.SelectAllCells();
    ADD_FAILURE() << "nothing raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.text(), kBusyRefusal);
  }
}

TEST(BusyApplication, EachRefusedCallIsTriedAgainAfterAPauseAndTheOperationGoesOn) {
  const struct {
    const char* refused;
    std::set<int> busy_at;
    Lines calls;
  } cases[] = {
      {"first call, twice", {1, 2}, {kCells, kPause, kCells, kPause, kCells, kSelect}},
      // Only the refused call goes again, not the operation from its start.
      {"call on its result", {2}, {kCells, kSelect, kPause, kSelect}},
      {"each call once", {1, 3}, {kCells, kPause, kCells, kSelect, kPause, kSelect}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refused);
    auto log = std::make_shared<CallLog>();
    log->busy_at = c.busy_at;
    sheets::Excel excel = AttachedExcel(log);
    EXPECT_NO_THROW(excel.SelectAllCells());
    EXPECT_EQ(log->calls, c.calls);
  }
}

TEST(BusyApplication, AnObjectPassedAlongReachesTheApplicationAsItGaveIt) {
  auto log = std::make_shared<CallLog>();
  log->numbers = {{"count", 2}};
  log->busy_at = {6};
  sheets::Excel excel = AttachedExcel(log);
  EXPECT_EQ(excel.AddSheetAfterLast(u"stops"), 1);
  EXPECT_THAT(
      log->calls,
      ElementsAre("App.sheets flags=3 args=", "sheets.count flags=3 args=",
                  "App.sheets flags=3 args=", "sheets.item flags=3 args=i4&:2",
                  "App.sheets flags=3 args=", "sheets.add flags=3 args=missing,object:item", kPause,
                  "sheets.add flags=3 args=missing,object:item",
                  "App.activesheet flags=3 args=", "activesheet.name flags=4 args=bstr&:stops"));
}

TEST(BusyApplication, ACallStaysRefusedForThirtySecondsThenFailsAsBefore) {
  auto log = std::make_shared<CallLog>();
  sheets::Excel excel = AttachedExcel(log);
  log->busy_from = 1;
  ExpectBusyRaised(excel);
  // A pause of 100 ms after each refusal until 30 s have passed since the first.
  EXPECT_EQ(log->calls, CellsTried(301));
  EXPECT_EQ(log->now_ms, 30000u);
}

TEST(BusyApplication, TheWaitsOfOneRunStopAtTwoMinutesUntilTheNextAttach) {
  auto log = std::make_shared<CallLog>();
  sheets::Excel excel = AttachedExcel(log);
  log->busy_from = 1;
  for (int call = 1; call <= 4; ++call) ExpectBusyRaised(excel);
  EXPECT_EQ(log->now_ms, 120000u);
  log->calls.clear();
  ExpectBusyRaised(excel);
  EXPECT_EQ(log->calls, CellsTried(1));

  // A new run: the busy call is tried again.
  log->busy_from = 0;
  ASSERT_EQ(excel.Connect([] { return false; }), 1);
  log->calls.clear();
  log->busy_from = log->made + 1;
  ExpectBusyRaised(excel);
  EXPECT_EQ(log->calls, CellsTried(301));
}

TEST(BusyApplication, AClosedToolEndsTheWaitAtOnceAndNoCallWaitsAgain) {
  for (const int closed_at_wait : {1, 3}) {
    SCOPED_TRACE(closed_at_wait);
    auto log = std::make_shared<CallLog>();
    sheets::Excel excel = AttachedExcel(log);
    log->busy_from = 1;
    log->give_up_at_wait = closed_at_wait;
    ExpectBusyRaised(excel);
    // Not tried again after the wait in which the tool was closed.
    Lines calls = CellsTried(closed_at_wait);
    calls.push_back(kPause);
    EXPECT_EQ(log->calls, calls);

    // The end of the run: screen updating is put once, without a wait.
    log->calls.clear();
    excel.SetScreenUpdating(1);
    EXPECT_THAT(log->calls, ElementsAre("App.ScreenUpdating flags=4 args=bool:true"));
  }
}

TEST(BusyApplication, AnErrorOfTheApplicationsOwnIsNotTriedAgain) {
  auto log = std::make_shared<CallLog>();
  log->refused_at = {1};
  sheets::Excel excel = AttachedExcel(log);
  EXPECT_THROW(excel.SelectAllCells(), sheets::Refused);
  EXPECT_EQ(log->calls, CellsTried(1));
}

}  // namespace
