#include "standin/win/objects.h"

namespace {

enum : DISPID {
  kSheets = 1,
  kActiveSheet,
  kActiveWindow,
  kCells,
  kSelection,
  kApplication,
  kScreenUpdating,
  kDisplayAlerts,
  kCutCopyMode,
};

constexpr Member kMembers[] = {
    {u"Sheets", kSheets, Access::kGet, 0, 1},
    {u"ActiveSheet", kActiveSheet, Access::kGet, 0, 0},
    {u"ActiveWindow", kActiveWindow, Access::kGet, 0, 0},
    {u"Cells", kCells, Access::kGet, 0, 2},
    {u"Selection", kSelection, Access::kGet, 0, 0},
    {u"Application", kApplication, Access::kGet, 0, 0},
    {u"ScreenUpdating", kScreenUpdating, Access::kGetPut, 0, 0},
    {u"DisplayAlerts", kDisplayAlerts, Access::kGetPut, 0, 0},
    {u"CutCopyMode", kCutCopyMode, Access::kGetPut, 0, 0},
};

// Cells(n) counts across each row before going down, as the application does.
CellRange CellsArgument(const CallArguments& arguments) {
  if (arguments.count() == 0) return CellRange::AllCells();
  if (arguments.count() == 2) return CellRange::Cell(arguments.Int(0), arguments.Int(1));
  const std::int32_t n = arguments.Int(0) - 1;
  return CellRange::Cell(n / kSheetColumns + 1, n % kSheetColumns + 1);
}

class Application : public DispatchObject {
 public:
  explicit Application(StandinState& state) : DispatchObject(state, "Application", kMembers) {}

 protected:
  void Call(const Member& member, CallKind kind, const CallArguments& arguments,
            VARIANT& result) override {
    switch (member.id) {
      case kSheets: {
        const Workbook& workbook = state_.RequireWorkbook(member.name);
        if (arguments.count() == 0) return SetResult(result, NewSheets(state_, std::nullopt));
        return SetResult(result, NewWorksheet(state_, SheetFromIndex(workbook, arguments, 0)));
      }
      case kActiveSheet:
        return SetResult(result,
                         NewWorksheet(state_, state_.RequireWorkbook(member.name).active().id));
      case kActiveWindow:
        state_.RequireWorkbook(member.name);
        return SetResult(result, NewWindow(state_));
      case kCells: {
        const SheetId sheet = state_.RequireWorkbook(member.name).active().id;
        return SetResult(result, NewRange(state_, sheet, CellsArgument(arguments)));
      }
      case kSelection: {
        const Sheet& active = state_.RequireWorkbook(member.name).active();
        return SetResult(result, NewRange(state_, active.id, active.selection));
      }
      case kApplication:
        AddRef();
        return SetResult(result, static_cast<DispatchObject*>(this));
      case kScreenUpdating:
        return GetOrPut(kind, arguments, result, state_.settings.screen_updating);
      case kDisplayAlerts:
        return GetOrPut(kind, arguments, result, state_.settings.display_alerts);
      case kCutCopyMode:
        return GetOrPut(kind, arguments, result, state_.settings.cut_copy_mode);
    }
  }
};

}  // namespace

DispatchObject* NewApplication(StandinState& state) {
  return new Application(state);
}
