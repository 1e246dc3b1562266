#include "sheets/busy_retry.h"

#include <optional>

namespace sheets {
namespace {

class RetriedValue final : public Value {
 public:
  RetriedValue(std::unique_ptr<Value> inner, BusyRetry& retry)
      : inner_(std::move(inner)), retry_(retry) {}

  std::unique_ptr<Value> Invoke(const MemberCall& call) const override {
    // The platform's side knows its own values only, not this wrapping.
    MemberCall passed = call;
    for (Argument& argument : passed.arguments) {
      if (const auto* retried = dynamic_cast<const RetriedValue*>(argument.object)) {
        argument.object = retried->inner_.get();
      }
    }
    return RetriedWhenBusy(retry_.Call([&] { return inner_->Invoke(passed); }), retry_);
  }
  int32_t ToInt32() const override { return inner_->ToInt32(); }

 private:
  std::unique_ptr<Value> inner_;
  BusyRetry& retry_;
};

}  // namespace

BusyRetry::BusyRetry(BusyServices services) : services_(std::move(services)) {}

void BusyRetry::StartRun(std::function<bool()> given_up) {
  given_up_ = std::move(given_up);
  waited_ms_ = 0;
}

void BusyRetry::EndRun() {
  given_up_ = [] { return false; };
}

std::unique_ptr<Value> BusyRetry::Call(const std::function<std::unique_ptr<Value>()>& call) {
  std::optional<uint64_t> first_refusal;
  for (;;) {
    try {
      return call();
    } catch (const Busy&) {
      const uint64_t refused_at = services_.now();
      if (!first_refusal) first_refusal = refused_at;
      if (given_up_() || refused_at - *first_refusal >= kBusyCallBoundMs ||
          waited_ms_ >= kBusyRunBudgetMs) {
        throw;
      }
      services_.wait(kBusyPauseMs);
      waited_ms_ += services_.now() - refused_at;
      if (given_up_()) throw;
    }
  }
}

std::unique_ptr<Value> RetriedWhenBusy(std::unique_ptr<Value> value, BusyRetry& retry) {
  return std::make_unique<RetriedValue>(std::move(value), retry);
}

}  // namespace sheets
