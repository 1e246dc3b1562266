#include "standin/core/workbook.h"

#include <algorithm>

#include "base/utf.h"
#include "standin/core/refusals.h"
#include "standin/core/sheet_name.h"

namespace {

constexpr std::u16string_view kGeneralFormat = u"G/標準";
constexpr std::u16string_view kTextFormat = u"@";
constexpr std::u16string_view kUnicodeTextJapanese = u"Unicode テキスト";
constexpr std::u16string_view kUnicodeTextEnglish = u"Unicode Text";

Sheet NewSheet(SheetId id, std::u16string name) {
  Sheet sheet;
  sheet.id = id;
  sheet.name = std::move(name);
  return sheet;
}

}  // namespace

Workbook::Workbook(const std::vector<std::u16string>& names, WorkbookFaults faults)
    : faults_(faults) {
  if (names.empty()) Refuse(kNoSheets);
  for (const auto& name : names) {
    CheckSheetName(name);
    if (std::ranges::any_of(sheets_, [&](const Sheet& s) { return SameSheetName(s.name, name); })) {
      Refuse(kSheetNameTaken);
    }
    sheets_.push_back(NewSheet(next_id_++, name));
  }
  sheets_.front().selected = true;
  added_ = static_cast<int>(names.size());
}

std::size_t Workbook::IndexOf(SheetId id) const {
  const auto found = std::ranges::find(sheets_, id, &Sheet::id);
  if (found == sheets_.end()) Refuse(kObjectDeleted);
  return static_cast<std::size_t>(found - sheets_.begin());
}

std::vector<SheetId> Workbook::AllSheets() const {
  std::vector<SheetId> ids;
  for (const auto& s : sheets_) ids.push_back(s.id);
  return ids;
}

std::vector<SheetId> Workbook::SelectedSheets() const {
  std::vector<SheetId> ids;
  for (const auto& s : sheets_) {
    if (s.selected) ids.push_back(s.id);
  }
  return ids;
}

SheetId Workbook::SheetAt(std::int32_t position, const std::vector<SheetId>& among) const {
  const auto ids = among.empty() ? AllSheets() : among;
  if (position < 1 || position > static_cast<std::int32_t>(ids.size())) {
    Refuse(kIndexOutOfRange);
  }
  return sheet(ids[position - 1]).id;
}

SheetId Workbook::SheetNamed(std::u16string_view name, const std::vector<SheetId>& among) const {
  for (const SheetId id : among.empty() ? AllSheets() : among) {
    if (SameSheetName(sheet(id).name, name)) return id;
  }
  Refuse(kIndexOutOfRange);
}

void Workbook::RefuseIfProtected(std::u16string_view description) const {
  if (faults_.protected_structure) Refuse(description);
}

SheetId Workbook::VisibleFrom(std::size_t index) const {
  for (std::size_t i = index; i < sheets_.size(); ++i) {
    if (!sheets_[i].hidden) return sheets_[i].id;
  }
  for (std::size_t i = std::min(index, sheets_.size()); i-- > 0;) {
    if (!sheets_[i].hidden) return sheets_[i].id;
  }
  Refuse(kNoSheets);
}

void Workbook::Select(SheetId id, bool replace) {
  const std::size_t index = IndexOf(id);
  if (sheets_[index].hidden) Refuse(kSheetSelectRefused);
  if (!replace) {
    sheets_[index].selected = true;
    return;
  }
  for (auto& s : sheets_) s.selected = false;
  sheets_[index].selected = true;
  active_ = index;
}

void Workbook::Delete(const std::vector<SheetId>& ids) {
  for (const SheetId id : ids) IndexOf(id);
  const auto doomed = [&](const Sheet& s) { return std::ranges::find(ids, s.id) != ids.end(); };
  RefuseIfProtected(kDeleteRefused);
  const auto visible_left =
      std::ranges::count_if(sheets_, [&](const Sheet& s) { return !doomed(s) && !s.hidden; });
  if (faults_.refuse_delete || visible_left == 0) Refuse(kDeleteRefused);

  const bool active_goes = doomed(sheets_[active_]);
  const SheetId kept_active = sheets_[active_].id;
  // The visible sheet that follows the deleted active one takes its place, or the last one.
  std::size_t next = active_;
  while (next < sheets_.size() && doomed(sheets_[next])) ++next;
  const SheetId successor = next < sheets_.size() ? sheets_[next].id : 0;
  std::erase_if(sheets_, doomed);
  if (active_goes) {
    Select(VisibleFrom(successor ? IndexOf(successor) : sheets_.size()), true);
  } else {
    active_ = IndexOf(kept_active);
    sheets_[active_].selected = true;
  }
}

std::u16string Workbook::NextSheetName() {
  std::u16string name;
  do {
    name = u"Sheet" + Utf8ToUtf16(std::to_string(++added_));
  } while (
      std::ranges::any_of(sheets_, [&](const Sheet& s) { return SameSheetName(s.name, name); }));
  return name;
}

SheetId Workbook::Add(std::optional<SheetId> before, std::optional<SheetId> after) {
  RefuseIfProtected(kAddRefused);
  if (before && after) Refuse(kAddRefused);
  for (const auto beside : {before, after}) {
    if (beside && sheet(*beside).hidden) Refuse(kAddRefused);
  }
  const std::size_t position =
      after ? IndexOf(*after) + 1 : IndexOf(before ? *before : sheets_[active_].id);
  const SheetId id = next_id_++;
  sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(position),
                 NewSheet(id, NextSheetName()));
  Select(id, true);
  return id;
}

void Workbook::Rename(SheetId id, std::u16string_view name) {
  IndexOf(id);
  RefuseIfProtected(kNameRefused);
  CheckSheetName(name);
  for (const auto& s : sheets_) {
    if (s.id != id && SameSheetName(s.name, name)) {
      Refuse(kNameRefused);
    }
  }
  Mutable(id).name = name;
}

void Workbook::Hide(SheetId id) {
  const std::size_t index = IndexOf(id);
  sheets_[index].hidden = true;
  const bool none_visible = std::ranges::all_of(sheets_, &Sheet::hidden);
  if (none_visible) {
    sheets_[index].hidden = false;
    Refuse(kHideRefused);
  }
  sheets_[index].selected = false;
  if (index == active_) Select(VisibleFrom(index), true);
}

void Workbook::SelectRange(SheetId id, const CellRange& range) {
  if (IndexOf(id) != active_) Refuse(kSelectRefused);
  Sheet& s = Mutable(id);
  s.selection = range;
  if (!range.all) {
    s.active_row = range.row;
    s.active_column = range.column;
  }
}

void Workbook::SetNumberFormat(SheetId id, const CellRange& range, std::u16string format) {
  Mutable(id).formats.push_back({range, std::move(format)});
}

std::u16string Workbook::NumberFormatOf(SheetId id, const CellRange& range) const {
  const auto& formats = sheet(id).formats;
  const auto last = std::ranges::find_if(formats.rbegin(), formats.rend(), [&](const auto& f) {
    return f.range.all || f.range == range;
  });
  return last == formats.rend() ? std::u16string(kGeneralFormat) : last->format;
}

bool Workbook::IsText(const Sheet& s, std::int32_t row, std::int32_t column) const {
  const auto last = std::ranges::find_if(s.formats.rbegin(), s.formats.rend(), [&](const auto& f) {
    return f.range.Covers(row, column);
  });
  return last != s.formats.rend() && last->format == kTextFormat;
}

void Workbook::PasteSpecial(SheetId id, std::u16string_view format,
                            const ClipboardText& clipboard) {
  if (faults_.failing_pastes > 0) {
    --faults_.failing_pastes;
    Refuse(kPasteRefused);
  }
  const auto known_format =
      faults_.language == DisplayLanguage::kEnglish ? kUnicodeTextEnglish : kUnicodeTextJapanese;
  if (IndexOf(id) != active_ || format != known_format) Refuse(kPasteRefused);
  const auto text = clipboard();
  if (!text) Refuse(kPasteRefused);

  Sheet& s = Mutable(id);
  TextRows rows = SplitPasteText(*text, s.active_row, s.active_column);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto row = s.active_row + static_cast<std::int32_t>(r);
    if (s.cells.size() < static_cast<std::size_t>(row)) s.cells.resize(row);
    auto& line = s.cells[row - 1];
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      const auto column = s.active_column + static_cast<std::int32_t>(c);
      if (line.size() < static_cast<std::size_t>(column)) line.resize(column);
      line[column - 1] =
          IsText(s, row, column) ? std::move(rows[r][c]) : GeneralFormatText(rows[r][c]);
    }
  }
}
