#pragma once
// A stand-in for the application's automation objects that writes every member call into one
// shared log ("<object>.<member> flags=<n> args=<...>") and can fail any chosen call.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sheets/automation.h"
#include "sheets/excel.h"

struct CallLog {
  std::vector<std::string> calls;
  int fail_at = 0;                         // 1-based position of the call that raises; 0 for none
  bool detached = false;                   // every call raises: no application object is held
  std::map<std::string, int32_t> numbers;  // what a member's result converts to; others raise
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

// Attached at the first try to a recording application ("App") that writes into log; the attach's
// own call is taken out of the log again.
sheets::Excel AttachedExcel(const std::shared_ptr<CallLog>& log);

// Never attached: its operations go to a recording "Detached" object that writes into log.
sheets::Excel DetachedExcel(const std::shared_ptr<CallLog>& log);
