#pragma once
// The one workbook of the stand-in: its sheets in order, which are selected and active, and per
// sheet the selection, the number formats set and the cells. Every refusal throws Error with the
// application's own description.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/core/cell_range.h"
#include "standin/core/paste_text.h"

using SheetId = std::uint64_t;  // stays valid while the sheet exists, unlike its position

struct NumberFormat {
  CellRange range;
  std::u16string format;
};

struct Sheet {
  SheetId id = 0;
  std::u16string name;
  bool selected = false;
  bool hidden = false;
  CellRange selection;
  std::int32_t active_row = 1;
  std::int32_t active_column = 1;
  std::vector<NumberFormat> formats;
  TextRows cells;  // from A1, ragged
};

enum class DisplayLanguage { kJapanese, kEnglish };

// How the user's application behaves beyond the plain case.
struct WorkbookFaults {
  int failing_pastes = 0;  // the first N pastes fail
  bool refuse_delete = false;
  // PasteSpecial knows the text format by the name in the display language.
  DisplayLanguage language = DisplayLanguage::kJapanese;
  bool protected_structure = false;  // no sheet added, deleted or renamed
};

// The clipboard's Unicode text, or nothing when it holds none.
using ClipboardText = std::function<std::optional<std::u16string>()>;

class Workbook {
 public:
  // Throws Error for an empty list or a name the application would refuse.
  Workbook(const std::vector<std::u16string>& names, WorkbookFaults faults);

  const std::vector<Sheet>& sheets() const { return sheets_; }
  const Sheet& active() const { return sheets_[active_]; }
  const Sheet& sheet(SheetId id) const { return sheets_[IndexOf(id)]; }
  std::int32_t Position(SheetId id) const { return static_cast<std::int32_t>(IndexOf(id)) + 1; }

  // Among the given sheets (all of them when empty), by 1-based position or by name.
  SheetId SheetAt(std::int32_t position, const std::vector<SheetId>& among = {}) const;
  SheetId SheetNamed(std::u16string_view name, const std::vector<SheetId>& among = {}) const;
  std::vector<SheetId> AllSheets() const;
  std::vector<SheetId> SelectedSheets() const;

  // replace: the sheet becomes active and the only one selected; otherwise it joins them. A
  // hidden sheet cannot be selected.
  void Select(SheetId id, bool replace);
  // Refuses to leave the workbook without a visible sheet.
  void Delete(const std::vector<SheetId>& ids);
  // A new "SheetN" before or after the given sheet (before the active one when neither is
  // given), made active and the only one selected. Nothing public says whether the application
  // places a sheet beside a hidden one: the stricter answer, a refusal, is taken.
  SheetId Add(std::optional<SheetId> before, std::optional<SheetId> after);
  void Rename(SheetId id, std::u16string_view name);
  // Refuses to hide the last visible sheet; the next visible one takes over as active.
  void Hide(SheetId id);
  // The sheet's cells as the user left them, from A1.
  void Fill(SheetId id, TextRows cells) { Mutable(id).cells = std::move(cells); }

  // Only ranges of the active sheet can be selected.
  void SelectRange(SheetId id, const CellRange& range);
  void SetNumberFormat(SheetId id, const CellRange& range, std::u16string format);
  // The format last set on ranges covering it, or the general format.
  std::u16string NumberFormatOf(SheetId id, const CellRange& range) const;
  // Pastes the clipboard's text from the active cell of the sheet, which must be active.
  void PasteSpecial(SheetId id, std::u16string_view format, const ClipboardText& clipboard);

 private:
  std::size_t IndexOf(SheetId id) const;
  Sheet& Mutable(SheetId id) { return sheets_[IndexOf(id)]; }
  bool IsText(const Sheet& sheet, std::int32_t row, std::int32_t column) const;
  std::u16string NextSheetName();
  void RefuseIfProtected(std::u16string_view description) const;
  // The visible sheet at or after the index, else the last visible one before it.
  SheetId VisibleFrom(std::size_t index) const;

  std::vector<Sheet> sheets_;
  std::size_t active_ = 0;
  SheetId next_id_ = 1;
  int added_ = 0;  // numbers the new sheets, as the application counts them
  WorkbookFaults faults_;
};
