#include "standin/win/objects.h"

namespace {

enum : DISPID { kSelectedSheets = 1 };

constexpr Member kMembers[] = {{u"SelectedSheets", kSelectedSheets, Access::kGet, 0, 0}};

class Window : public DispatchObject {
 public:
  using DispatchObject::DispatchObject;

 protected:
  std::string_view ObjectName() const override { return "Window"; }
  std::span<const Member> Members() const override { return kMembers; }

  void Call(const Member& member, CallKind, const CallArguments&, VARIANT& result) override {
    const Workbook& workbook = state_.RequireWorkbook(member.name);
    SetResult(result, NewSheets(state_, workbook.SelectedSheets()));
  }
};

}  // namespace

DispatchObject* NewWindow(StandinState& state) {
  return new Window(state);
}
