#include "tests/sheets/recording_application.h"

#include "base/error.h"
#include "base/utf.h"

namespace {

std::string Describe(const sheets::Argument& argument) {
  using Kind = sheets::Argument::Kind;
  switch (argument.kind) {
    case Kind::kBool:
      return argument.flag ? "bool:true" : "bool:false";
    case Kind::kText:
      return "bstr:" + Utf16ToUtf8(argument.text);
    case Kind::kTextByRef:
      return "bstr&:" + Utf16ToUtf8(argument.text);
    case Kind::kInt32ByRef:
      return "i4&:" + std::to_string(argument.number);
    case Kind::kMissing:
      return "missing";
    case Kind::kObject:
      return "object:" + dynamic_cast<const RecordingObject&>(*argument.object).label();
  }
  return "?";
}

}  // namespace

RecordingObject::RecordingObject(std::shared_ptr<CallLog> log, std::string label)
    : log_(std::move(log)), label_(std::move(label)) {}

std::unique_ptr<sheets::Value> RecordingObject::Invoke(const sheets::MemberCall& call) const {
  if (log_->detached) throw Error(u"no automation object");
  const std::string member = Utf16ToUtf8(call.name);
  std::string line = label_ + "." + member + " flags=" + std::to_string(int(call.kind)) + " args=";
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    if (i) line += ',';
    line += Describe(call.arguments[i]);
  }
  log_->calls.push_back(line);
  const int position = ++log_->made;
  if (position == log_->fail_at) throw Error(kRefusal);
  if (log_->refused_at.count(position)) throw sheets::Refused(kRefusal);
  if (log_->busy_at.count(position) || (log_->busy_from && position >= log_->busy_from)) {
    throw sheets::Busy(kBusyRefusal);
  }
  return std::make_unique<RecordingObject>(log_, member);
}

int32_t RecordingObject::ToInt32() const {
  const auto number = log_->numbers.find(label_);
  if (number == log_->numbers.end()) throw Error(u"not a number");
  return number->second;
}

namespace {
void Wait(CallLog& log, uint32_t ms) {
  log.calls.push_back("wait " + std::to_string(ms));
  log.now_ms += ms;
  if (++log.waits == log.give_up_at_wait) log.given_up = true;
}
}  // namespace

sheets::Excel AttachedExcel(const std::shared_ptr<CallLog>& log) {
  sheets::Excel excel({.wait = [log](uint32_t ms) { Wait(*log, ms); },
                       .now = [log] { return log->now_ms; },
                       .attach = [log] { return std::make_unique<RecordingObject>(log, "App"); }},
                      std::make_unique<RecordingObject>(log, "Detached"));
  excel.Connect([log] { return log->given_up; });
  log->calls.clear();
  log->made = 0;
  log->waits = 0;
  log->now_ms = 0;
  return excel;
}

sheets::Excel DetachedExcel(const std::shared_ptr<CallLog>& log) {
  return sheets::Excel(
      {.wait = [](uint32_t) {},
       .now = [] { return uint64_t{0}; },
       .attach = []() -> std::unique_ptr<sheets::Value> { throw Error(u"not running"); }},
      std::make_unique<RecordingObject>(log, "Detached"));
}
