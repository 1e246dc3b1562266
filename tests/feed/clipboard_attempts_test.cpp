#include "feed/clipboard_attempts.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/error.h"

namespace {

using Lines = std::vector<std::string>;

struct Outcome {
  bool placed;
  Lines log;  // every step, in order
};

// The hand-off when placing succeeds on the given attempt (1-based; 16 for never).
Outcome HandOff(int succeeds_on) {
  Outcome outcome{false, {}};
  int made = 0;
  outcome.placed = PlaceWithRetries(
      [&] {
        outcome.log.push_back("place");
        if (++made != succeeds_on) throw Error(u"クリップボードを開けません");
      },
      [&] { outcome.log.push_back("pump"); },
      [&](std::uint32_t ms) { outcome.log.push_back("sleep " + std::to_string(ms)); });
  return outcome;
}

Lines Failures(int count) {
  Lines lines;
  for (int i = 0; i < count; ++i) lines.insert(lines.end(), {"place", "pump", "sleep 300"});
  return lines;
}

Lines Then(Lines lines, const std::string& last) {
  lines.push_back(last);
  return lines;
}

// The retry itself is the base's; what is the hand-off's own is its count, its pause and that
// messages are pumped before each sleep.
TEST(ClipboardAttempts, FifteenAttemptsEachFailureFollowedByPumpAndSleep300) {
  const Outcome last = HandOff(15);
  EXPECT_TRUE(last.placed);
  EXPECT_EQ(last.log, Then(Failures(14), "place"));

  const Outcome never = HandOff(16);
  EXPECT_FALSE(never.placed);
  EXPECT_EQ(never.log, Failures(15));
}

TEST(ClipboardAttempts, OnlyTheHandOffsOwnFailureIsRetried) {
  bool pumped = false;
  EXPECT_THROW(PlaceWithRetries([] { throw std::logic_error("bug"); }, [&] { pumped = true; },
                                [](std::uint32_t) {}),
               std::logic_error);
  EXPECT_FALSE(pumped);
}

}  // namespace
