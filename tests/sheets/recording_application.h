#pragma once
// A stand-in for the application's automation objects that writes every member call into one
// shared log ("<object>.<member> flags=<n> args=<...>") and can fail any chosen call.
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sheets/automation.h"
#include "sheets/excel.h"

// Positions count the member calls from 1, not the waits that the log shows between them.
struct CallLog {
  std::vector<std::string> calls;          // and "wait <ms>" where the operations waited
  int fail_at = 0;                         // 1-based position of the call that raises; 0 for none
  bool detached = false;                   // every call raises: no application object is held
  std::map<std::string, int32_t> numbers;  // what a member's result converts to; others raise
  std::set<int> busy_at;                   // calls turned away as busy
  int busy_from = 0;                       // every call from there on is busy; 0 for none
  std::set<int> refused_at;                // calls the application answers with its own error
  uint64_t now_ms = 0;                     // the clock: moved only by the waits
  bool given_up = false;                   // what the run's given_up answers
  int give_up_at_wait = 0;                 // the user closes the tool during that wait; 0: never
  int made = 0;
  int waits = 0;
};

class RecordingObject final : public sheets::Value {
 public:
  RecordingObject(std::shared_ptr<CallLog> log, std::string label);
  std::unique_ptr<sheets::Value> Invoke(const sheets::MemberCall& call) const override;
  int32_t ToInt32() const override;
  const std::string& label() const { return label_; }

 private:
  std::shared_ptr<CallLog> log_;
  std::string label_;  // the member that gave this object, or "App"
};

inline constexpr char16_t kRefusal[] = u"the application refused";
inline constexpr char16_t kBusyRefusal[] = u"the application is busy";

// Attached at the first try to a recording application ("App") that writes into log, its waits
// moving the log's clock; the attach's own call is taken out of the log again.
sheets::Excel AttachedExcel(const std::shared_ptr<CallLog>& log);

// Never attached: its operations go to a recording "Detached" object that writes into log.
sheets::Excel DetachedExcel(const std::shared_ptr<CallLog>& log);
