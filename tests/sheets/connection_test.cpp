#include "sheets/connection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "sheets/excel.h"
#include "tests/sheets/recording_application.h"

namespace {

using Lines = std::vector<std::string>;

// Waits and attach attempts go into the application's own call log, so that one list shows
// their order and what was sent to the application once attached.
struct Attempts {
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  int running_from = 0;    // the attempt from which the application runs; 0 for never
  int given_up_after = 0;  // the wait after which the user gives up; 0 for never
  std::function<void()> on_wait = [] {};
  int made = 0;
  int waits = 0;

  sheets::Excel Excel() {
    return sheets::Excel({.wait =
                              [this](uint32_t ms) {
                                ++waits;
                                log->calls.push_back("wait " + std::to_string(ms));
                                on_wait();
                              },
                          .now = [] { return uint64_t{0}; },
                          .attach = [this]() -> std::unique_ptr<sheets::Value> {
                            log->calls.push_back("attach");
                            if (running_from == 0 || ++made < running_from) {
                              throw Error(u"not running");
                            }
                            return std::make_unique<RecordingObject>(log, "App");
                          }},
                         std::make_unique<RecordingObject>(log, "Detached"));
  }
  std::function<bool()> GivenUp() {
    return [this] { return given_up_after != 0 && waits == given_up_after; };
  }
};

// Which object the operations reach, "App" or "Detached", read from a call that is then taken
// out of the log again.
std::string Holder(sheets::Excel& excel, CallLog& log) {
  excel.SetScreenUpdating(0);
  const std::string line = log.calls.back();
  log.calls.pop_back();
  return line.substr(0, line.find('.'));
}

Lines Tries(int count) {
  Lines lines;
  for (int i = 0; i < count; ++i) lines.insert(lines.end(), {"wait 1000", "attach"});
  return lines;
}

TEST(Connect, GivesUpAfterTenAttemptsEachAfterASecondsWait) {
  Attempts attempts;
  sheets::Excel excel = attempts.Excel();
  EXPECT_EQ(excel.Connect(attempts.GivenUp()), -1);
  EXPECT_EQ(Holder(excel, *attempts.log), "Detached");
  EXPECT_EQ(attempts.log->calls, Tries(10));
}

TEST(Connect, StopsAtTheFirstAttachAndSwitchesScreenUpdatingOn) {
  for (const int running_from : {1, 3, 10}) {
    SCOPED_TRACE(running_from);
    Attempts attempts;
    attempts.running_from = running_from;
    sheets::Excel excel = attempts.Excel();
    EXPECT_EQ(excel.Connect(attempts.GivenUp()), 1);
    EXPECT_EQ(Holder(excel, *attempts.log), "App");
    Lines expected = Tries(running_from);
    expected.push_back("App.ScreenUpdating flags=4 args=bool:true");
    EXPECT_EQ(attempts.log->calls, expected);
  }
}

TEST(Connect, TriesNoMoreOnceTheUserGaveUpDuringAWait) {
  for (const int given_up_after : {1, 4, 10}) {
    SCOPED_TRACE(given_up_after);
    Attempts attempts;
    attempts.given_up_after = given_up_after;
    // The attempt after that wait would have attached: nobody waits for it any more.
    attempts.running_from = given_up_after;
    sheets::Excel excel = attempts.Excel();
    EXPECT_EQ(excel.Connect(attempts.GivenUp()), -1);
    EXPECT_EQ(Holder(excel, *attempts.log), "Detached");
    Lines expected = Tries(given_up_after - 1);
    expected.push_back("wait 1000");
    EXPECT_EQ(attempts.log->calls, expected);
  }
}

TEST(Connect, DropsTheOldReferenceBeforeTheFirstWait) {
  Attempts attempts;
  attempts.running_from = 1;
  sheets::Excel excel = attempts.Excel();
  ASSERT_EQ(excel.Connect(attempts.GivenUp()), 1);
  attempts.running_from = 0;
  Lines held_while_waiting;
  attempts.on_wait = [&] { held_while_waiting.push_back(Holder(excel, *attempts.log)); };
  EXPECT_EQ(excel.Connect(attempts.GivenUp()), -1);
  EXPECT_EQ(held_while_waiting, Lines(10, "Detached"));
}

TEST(Connect, ReleaseLetsGoOfTheApplicationUntilTheNextAttach) {
  Attempts attempts;
  attempts.running_from = 1;
  sheets::Excel excel = attempts.Excel();
  ASSERT_EQ(excel.Connect(attempts.GivenUp()), 1);
  excel.Release();
  EXPECT_EQ(Holder(excel, *attempts.log), "Detached");
  ASSERT_EQ(excel.Connect(attempts.GivenUp()), 1);
  EXPECT_EQ(Holder(excel, *attempts.log), "App");
}

// A clock that moves on by 10 ms at each read; reads and message pumps are logged in order.
struct FakeClock {
  uint64_t time = 500;
  int pumps = 0;
  int fail_at_pump = 0;
  Lines events;
  void Wait(uint32_t ms) {
    sheets::PumpedWait(
        ms,
        [this] {
          events.push_back("clock " + std::to_string(time));
          return std::exchange(time, time + 10);
        },
        [this] {
          events.push_back("pump");
          if (++pumps == fail_at_pump) throw Error(u"handler failed");
        });
  }
};

TEST(PumpedWait, ZeroProcessesMessagesOnce) {
  FakeClock clock;
  clock.Wait(0);
  EXPECT_EQ(clock.events, (Lines{"pump", "clock 500", "clock 510"}));
}

TEST(PumpedWait, ProcessesMessagesBetweenChecksUntilTheTimeHasPassed) {
  FakeClock clock;
  clock.Wait(30);  // 20 ms is not enough, 30 ms is
  EXPECT_EQ(clock.events,
            (Lines{"pump", "clock 500", "clock 510", "pump", "clock 520", "pump", "clock 530"}));
}

TEST(PumpedWait, AFailureWhileProcessingEndsTheWaitQuietly) {
  FakeClock clock;
  clock.fail_at_pump = 2;
  EXPECT_NO_THROW(clock.Wait(1000));
  EXPECT_EQ(clock.events, (Lines{"pump", "clock 500", "clock 510", "pump"}));
}

}  // namespace
