#include "standin/core/refusals.h"
#include "standin/win/clipboard_text.h"
#include "standin/win/objects.h"

namespace {

enum : DISPID { kName = DISPID_VALUE + 1, kSelect, kDelete, kPasteSpecial, kIndex };

constexpr Member kMembers[] = {
    {u"Name", kName, Access::kGetPut, 0, 0},
    {u"Select", kSelect, Access::kMethod, 0, 1},
    {u"Delete", kDelete, Access::kMethod, 0, 0},
    {u"PasteSpecial", kPasteSpecial, Access::kMethod, 0, 7},
    {u"Index", kIndex, Access::kGet, 0, 0},
};

class Worksheet : public DispatchObject {
 public:
  Worksheet(StandinState& state, SheetId sheet)
      : DispatchObject(state, "Worksheet", kMembers), sheet_(sheet) {}
  std::optional<SheetId> AsSheet() const override { return sheet_; }

 protected:
  void Call(const Member& member, CallKind kind, const CallArguments& arguments,
            VARIANT& result) override {
    Workbook& workbook = state_.RequireWorkbook(member.name);
    switch (member.id) {
      case kName:
        if (kind == CallKind::kPut)
          return workbook.Rename(sheet_, arguments.Text(CallArguments::kPutValue));
        return SetResult(result, workbook.sheet(sheet_).name);
      case kSelect:
        return workbook.Select(sheet_, arguments.BoolOr(0, true));
      case kDelete:
        return workbook.Delete({sheet_});
      case kPasteSpecial:
        return PasteSpecial(workbook, arguments);
      case kIndex:
        return SetResult(result, workbook.Position(sheet_));
    }
  }

 private:
  // Format, then Link and DisplayAsIcon, false where given; the icon and HTML arguments after
  // them make no sense for text.
  void PasteSpecial(Workbook& workbook, const CallArguments& arguments) const {
    constexpr std::size_t kLink = 1;
    constexpr std::size_t kDisplayAsIcon = 2;
    const std::u16string format = arguments.TextOr(0, u"");
    bool plain = true;
    for (std::size_t i = kLink; i < arguments.count(); ++i) {
      if (!arguments.Missing(i)) plain = plain && i <= kDisplayAsIcon && !arguments.Bool(i);
    }
    if (!plain) Refuse(kPasteRefused);
    workbook.PasteSpecial(sheet_, format, [this] { return ReadClipboardText(state_.window); });
  }

  SheetId sheet_;
};

}  // namespace

DispatchObject* NewWorksheet(StandinState& state, SheetId sheet) {
  return new Worksheet(state, sheet);
}
