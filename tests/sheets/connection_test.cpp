#include "sheets/connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/base/error.h"
#include "tests/sheets/recording_application.h"

namespace {

using ::testing::ElementsAre;

struct Attempts {
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  int running_from = 0;  // the attempt from which the application runs; 0 for never
  int made = 0;
  std::vector<uint32_t> waits;

  sheets::AttachServices Services() {
    return {.wait = [this](uint32_t ms) { waits.push_back(ms); },
            .attach = [this]() -> std::unique_ptr<sheets::Value> {
              ++made;
              if (running_from == 0 || made < running_from) throw Error(u"not running");
              return std::make_unique<RecordingObject>(log, "App");
            }};
  }
};

TEST(Connect, GivesUpAfterTenAttemptsASecondApart) {
  Attempts attempts;
  std::unique_ptr<sheets::Value> app;
  EXPECT_EQ(sheets::Connect(app, attempts.Services()), -1);
  EXPECT_EQ(app, nullptr);
  EXPECT_EQ(attempts.made, 10);
  EXPECT_EQ(attempts.waits, std::vector<uint32_t>(10, 1000));
}

TEST(Connect, StopsAtTheFirstAttachAndSwitchesScreenUpdatingOn) {
  Attempts attempts;
  attempts.running_from = 3;
  std::unique_ptr<sheets::Value> app;
  EXPECT_EQ(sheets::Connect(app, attempts.Services()), 1);
  EXPECT_NE(app, nullptr);
  EXPECT_EQ(attempts.made, 3);
  EXPECT_EQ(attempts.waits.size(), 3u);
  EXPECT_THAT(attempts.log->calls, ElementsAre("App.ScreenUpdating flags=4 args=bool:true"));
}

TEST(Connect, DropsTheOldReferenceBeforeTheFirstWait) {
  Attempts attempts;
  std::unique_ptr<sheets::Value> app = std::make_unique<RecordingObject>(attempts.log, "old");
  bool held_while_waiting = false;
  sheets::AttachServices services = attempts.Services();
  services.wait = [&](uint32_t) { held_while_waiting = held_while_waiting || app != nullptr; };
  EXPECT_EQ(sheets::Connect(app, services), -1);
  EXPECT_FALSE(held_while_waiting);
}

struct FakeClock {
  uint64_t time = 500;
  uint64_t step = 10;
  int reads = 0;
  int pumps = 0;
  int fail_at_pump = 0;
  void Wait(uint32_t ms) {
    sheets::PumpedWait(
        ms,
        [this] {
          ++reads;
          return std::exchange(time, time + step);
        },
        [this] {
          if (++pumps == fail_at_pump) throw Error(u"handler failed");
        });
  }
};

TEST(PumpedWait, ZeroProcessesMessagesOnce) {
  FakeClock clock;
  clock.Wait(0);
  EXPECT_EQ(clock.pumps, 1);
  EXPECT_EQ(clock.reads, 2);
}

TEST(PumpedWait, ProcessesMessagesBetweenChecksUntilTheTimeHasPassed) {
  FakeClock clock;
  clock.Wait(30);  // the checks see 10, 20, 30 ms
  EXPECT_EQ(clock.reads, 4);
  EXPECT_EQ(clock.pumps, 3);
}

TEST(PumpedWait, AFailureWhileProcessingEndsTheWaitQuietly) {
  FakeClock clock;
  clock.fail_at_pump = 2;
  EXPECT_NO_THROW(clock.Wait(1000));
  EXPECT_EQ(clock.pumps, 2);
  EXPECT_EQ(clock.reads, 2);
}

}  // namespace
