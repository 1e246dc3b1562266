#pragma once
// Calls that the application turns away as busy are tried again after a short pause, within a
// bound for each call and a budget for the whole run. The retry sits in the one place that every
// member call goes through, not in a message filter: a filter never sees the busy answer that
// comes back as the call's own error (VBA_E_IGNORE), and under Wine it is never asked to retry
// at all, so only this path can be seen to work end to end.
#include <cstdint>
#include <functional>
#include <memory>

#include "sheets/automation.h"

namespace sheets {

// A user typing in a cell, or reading a dialog before answering it, keeps the application busy
// that long without anything being wrong.
inline constexpr uint64_t kBusyCallBoundMs = 30000;
// The paste's fifteen attempts on an application that stays busy must not hold the user for
// fifteen bounds.
inline constexpr uint64_t kBusyRunBudgetMs = 120000;
// Short, so that a close of the tool's window ends the wait at once.
inline constexpr uint32_t kBusyPauseMs = 100;

struct BusyServices {
  std::function<uint64_t()> now;          // milliseconds
  std::function<void(uint32_t ms)> wait;  // keeps the tool's window answering
};

class BusyRetry {
 public:
  explicit BusyRetry(BusyServices services);

  // A new run: its budget is whole again, and once given_up answers true no call waits again.
  void StartRun(std::function<bool()> given_up);
  // The run's given_up is not asked again: it may refer to what the run held.
  void EndRun();

  // The call's result; the last Busy goes out once the call's bound or the run's budget is spent
  // or the user has given up. Any other failure goes out at once.
  std::unique_ptr<Value> Call(const std::function<std::unique_ptr<Value>()>& call);

 private:
  BusyServices services_;
  std::function<bool()> given_up_ = [] { return false; };
  uint64_t waited_ms_ = 0;
};

// The value, with every member call on it and on whatever those give back made through retry.
std::unique_ptr<Value> RetriedWhenBusy(std::unique_ptr<Value> value, BusyRetry& retry);

}  // namespace sheets
