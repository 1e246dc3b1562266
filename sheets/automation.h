#pragma once
// The small automation interface that the sheet operations are written against: a value that a
// late-bound member call gave back, and the description of one such call.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"

namespace sheets {

// The application answered the call with an error of its own: it understood and said no.
class Refused : public Error {
 public:
  using Error::Error;
};

// The application turned the call away because it is busy (a cell being edited, a dialog open):
// the same call may go through a moment later.
class Busy : public Error {
 public:
  using Error::Error;
};

class Value;

// The call flags sent with each kind of call.
enum class CallKind : uint16_t { kMethod = 1, kGet = 3, kPut = 4 };

struct Argument {
  enum class Kind { kBool, kText, kTextByRef, kInt32ByRef, kMissing, kObject };
  Kind kind;
  bool flag = false;
  std::u16string text;
  int32_t number = 0;
  const Value* object = nullptr;
};

inline Argument Bool(bool flag) {
  return {Argument::Kind::kBool, flag, {}, 0, nullptr};
}
inline Argument Text(std::u16string text) {
  return {Argument::Kind::kText, false, std::move(text), 0, nullptr};
}
inline Argument TextByRef(std::u16string text) {
  return {Argument::Kind::kTextByRef, false, std::move(text), 0, nullptr};
}
inline Argument Int32ByRef(int32_t number) {
  return {Argument::Kind::kInt32ByRef, false, {}, number, nullptr};
}
inline Argument Missing() {
  return {Argument::Kind::kMissing, false, {}, 0, nullptr};
}
inline Argument Object(const Value& object) {
  return {Argument::Kind::kObject, false, {}, 0, &object};
}

struct MemberCall {
  std::u16string name;  // sent as it stands; the application matches it regardless of case
  CallKind kind;
  std::vector<Argument> arguments;  // positional, first first; a put's value is its only one
};

inline MemberCall Get(std::u16string name, std::vector<Argument> arguments = {}) {
  return {std::move(name), CallKind::kGet, std::move(arguments)};
}
inline MemberCall Method(std::u16string name) {
  return {std::move(name), CallKind::kMethod, {}};
}
inline MemberCall Put(std::u16string name, Argument value) {
  return {std::move(name), CallKind::kPut, {std::move(value)}};
}

// What a call gave back: empty, a number, a text, an automation object, ...
class Value {
 public:
  virtual ~Value() = default;
  // Raises when the value holds no automation object or the call fails: Refused or Busy where the
  // application said why.
  virtual std::unique_ptr<Value> Invoke(const MemberCall& call) const = 0;
  // An empty value gives 0; raises when the value does not convert.
  virtual int32_t ToInt32() const = 0;
};

}  // namespace sheets
