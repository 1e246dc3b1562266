#include "base/retry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Busy : std::runtime_error {
  Busy() : std::runtime_error("busy") {}
};

struct Outcome {
  bool done;
  std::vector<std::string> log;  // every try and pause, in order
};

// Three attempts of a try that succeeds on the given one (1-based; 4 for never).
Outcome Attempts(int succeeds_on) {
  Outcome outcome{false, {}};
  int made = 0;
  outcome.done = RetryWithPauses<Busy>(
      RetryPolicy{3, 250},
      [&] {
        outcome.log.push_back("try");
        if (++made != succeeds_on) throw Busy();
      },
      [&](std::uint32_t ms) { outcome.log.push_back("pause " + std::to_string(ms)); });
  return outcome;
}

}  // namespace

TEST(Retry, PausesAfterEachFailedTryTheLastOneToo) {
  using Log = std::vector<std::string>;
  const struct {
    int succeeds_on;
    bool done;
    Log log;
  } cases[] = {
      {1, true, {"try"}},
      {2, true, {"try", "pause 250", "try"}},
      {3, true, {"try", "pause 250", "try", "pause 250", "try"}},
      {4, false, {"try", "pause 250", "try", "pause 250", "try", "pause 250"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.succeeds_on);
    const Outcome outcome = Attempts(c.succeeds_on);
    EXPECT_EQ(outcome.done, c.done);
    EXPECT_EQ(outcome.log, c.log);
  }
}

TEST(Retry, AnyOtherFailureGoesOutAtOnce) {
  int tries = 0, pauses = 0;
  EXPECT_THROW(RetryWithPauses<Busy>(
                   RetryPolicy{3, 250},
                   [&] {
                     ++tries;
                     throw std::logic_error("bug");
                   },
                   [&](std::uint32_t) { ++pauses; }),
               std::logic_error);
  EXPECT_EQ(tries, 1);
  EXPECT_EQ(pauses, 0);
}
