#include "standin/core/refusals.h"
#include "standin/win/objects.h"

namespace {

enum : DISPID { kItem = DISPID_VALUE, kCount = 1, kAdd, kDelete, kSelect };

constexpr Member kMembers[] = {
    {u"Item", kItem, Access::kGet, 1, 1},        {u"Count", kCount, Access::kGet, 0, 0},
    {u"Add", kAdd, Access::kMethod, 0, 4},       {u"Delete", kDelete, Access::kMethod, 0, 0},
    {u"Select", kSelect, Access::kMethod, 0, 1},
};

// The one sheet type Add accepts: the stand-in has worksheets only.
constexpr std::int32_t kWorksheetType = -4167;

std::optional<SheetId> SheetArgument(const CallArguments& arguments, std::size_t i) {
  if (arguments.Missing(i)) return std::nullopt;
  const auto sheet = arguments.Object(i).AsSheet();
  if (!sheet) Refuse(kAddRefused);
  return sheet;
}

class Sheets : public DispatchObject {
 public:
  Sheets(StandinState& state, std::optional<std::vector<SheetId>> among)
      : DispatchObject(state, "Sheets", kMembers), among_(std::move(among)) {}

 protected:
  void Call(const Member& member, CallKind, const CallArguments& arguments,
            VARIANT& result) override {
    Workbook& workbook = state_.RequireWorkbook(member.name);
    const std::vector<SheetId> ids = among_ ? *among_ : workbook.AllSheets();
    switch (member.id) {
      case kItem:
        return SetResult(result, NewWorksheet(state_, SheetFromIndex(workbook, arguments, 0, ids)));
      case kCount:
        return SetResult(result, static_cast<std::int32_t>(ids.size()));
      case kAdd:
        return SetResult(result, NewWorksheet(state_, Add(workbook, arguments)));
      case kDelete:
        return workbook.Delete(ids);
      case kSelect: {
        const bool replace = arguments.BoolOr(0, true);
        for (std::size_t i = 0; i < ids.size(); ++i) workbook.Select(ids[i], replace && i == 0);
        return;
      }
    }
  }

 private:
  static SheetId Add(Workbook& workbook, const CallArguments& arguments) {
    const auto before = SheetArgument(arguments, 0);
    const auto after = SheetArgument(arguments, 1);
    const std::int32_t count = arguments.IntOr(2, 1);
    if (count < 1 || arguments.IntOr(3, kWorksheetType) != kWorksheetType) {
      Refuse(kAddRefused);
    }
    SheetId added = workbook.Add(before, after);
    for (std::int32_t i = 1; i < count; ++i) {
      added = workbook.Add(before, after ? std::optional(added) : std::nullopt);
    }
    return added;
  }

  std::optional<std::vector<SheetId>> among_;
};

}  // namespace

DispatchObject* NewSheets(StandinState& state, std::optional<std::vector<SheetId>> among) {
  return new Sheets(state, std::move(among));
}

SheetId SheetFromIndex(const Workbook& workbook, const CallArguments& arguments, std::size_t i,
                       const std::vector<SheetId>& among) {
  if (arguments.IsText(i)) return workbook.SheetNamed(arguments.Text(i), among);
  return workbook.SheetAt(arguments.Int(i), among);
}
