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
  if (static_cast<int>(log_->calls.size()) == log_->fail_at) throw Error(kRefusal);
  return std::make_unique<RecordingObject>(log_, member);
}

int32_t RecordingObject::ToInt32() const {
  const auto number = log_->numbers.find(label_);
  if (number == log_->numbers.end()) throw Error(u"not a number");
  return number->second;
}

sheets::Excel AttachedExcel(const std::shared_ptr<CallLog>& log) {
  sheets::Excel excel({.wait = [](uint32_t) {},
                       .attach = [log] { return std::make_unique<RecordingObject>(log, "App"); }},
                      std::make_unique<RecordingObject>(log, "Detached"));
  excel.Connect([] { return false; });
  log->calls.clear();
  return excel;
}

sheets::Excel DetachedExcel(const std::shared_ptr<CallLog>& log) {
  return sheets::Excel(
      {.wait = [](uint32_t) {},
       .attach = []() -> std::unique_ptr<sheets::Value> { throw Error(u"not running"); }},
      std::make_unique<RecordingObject>(log, "Detached"));
}
