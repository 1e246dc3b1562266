#include "standin/win/objects.h"

namespace {

enum : DISPID { kSelectedSheets = 1 };

constexpr Member kMembers[] = {{u"SelectedSheets", kSelectedSheets, Access::kGet, 0, 0}};

class Window : public DispatchObject {
 public:
  explicit Window(StandinState& state) : DispatchObject(state, "Window", kMembers) {}

 protected:
  void Call(const Member& member, CallKind, const CallArguments&, VARIANT& result) override {
    const Workbook& workbook = state_.RequireWorkbook(member.name);
    SetResult(result, NewSheets(state_, workbook.SelectedSheets()));
  }
};

}  // namespace

DispatchObject* NewWindow(StandinState& state) {
  return new Window(state);
}
