#pragma once
// A period in which the application is busy, as while the user edits a cell or a dialog is open,
// and refuses every automation call.
#include <cstdint>
#include <string>
#include <string_view>

// How the refusal reaches the client. A busy application's message filter answers the call
// (kRejected: the client's call returns RPC_E_CALL_REJECTED); some calls get through and are
// answered by the object with RPC_E_SERVERCALL_RETRYLATER, or with VBA_E_IGNORE as the scode of
// DISP_E_EXCEPTION.
enum class BusyForm { kRejected, kRetryLater, kIgnore };

struct BusyPlan {
  bool busy = false;
  // The period starts once the from_count-th look-up of this name, spelled so, is answered; with no
  // name, at the first call.
  std::u16string from_member;
  int from_count = 1;
  // It lasts this long, or for this many refused calls (a look-up and an invoke count one each).
  std::uint64_t length_ms = 0;
  int length_calls = 0;
  BusyForm form = BusyForm::kRejected;
};

class BusyPeriod {
 public:
  explicit BusyPeriod(BusyPlan plan = {}) : plan_(std::move(plan)) {}
  BusyForm form() const { return plan_.form; }

  // A name the application has just looked up for a client.
  void Answered(std::u16string_view name, std::uint64_t now_ms);
  // Whether a call arriving now is refused; a refused call counts towards the period's end.
  bool Refuses(std::uint64_t now_ms);

 private:
  BusyPlan plan_;
  int looked_up_ = 0;
  bool started_ = false;
  std::uint64_t started_ms_ = 0;
  int refused_ = 0;
};
