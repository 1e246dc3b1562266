#include "standin/win/objects.h"

namespace {

enum : DISPID { kSelect = 1, kNumberFormatLocal };

constexpr Member kMembers[] = {
    {u"Select", kSelect, Access::kMethod, 0, 0},
    {u"NumberFormatLocal", kNumberFormatLocal, Access::kGetPut, 0, 0},
};

class Range : public DispatchObject {
 public:
  Range(StandinState& state, SheetId sheet, const CellRange& range)
      : DispatchObject(state, "Range", kMembers), sheet_(sheet), range_(range) {}

 protected:
  void Call(const Member& member, CallKind kind, const CallArguments& arguments,
            VARIANT& result) override {
    Workbook& workbook = state_.RequireWorkbook(member.name);
    switch (member.id) {
      case kSelect:
        workbook.SelectRange(sheet_, range_);
        return SetResult(result, true);
      case kNumberFormatLocal:
        if (kind == CallKind::kPut) {
          return workbook.SetNumberFormat(sheet_, range_, arguments.Text(CallArguments::kPutValue));
        }
        return SetResult(result, workbook.NumberFormatOf(sheet_, range_));
    }
  }

 private:
  SheetId sheet_;
  CellRange range_;
};

}  // namespace

DispatchObject* NewRange(StandinState& state, SheetId sheet, const CellRange& range) {
  return new Range(state, sheet, range);
}
