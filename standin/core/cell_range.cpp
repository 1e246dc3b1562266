#include "standin/core/cell_range.h"

#include "base/utf.h"
#include "standin/core/refusals.h"

CellRange CellRange::Cell(std::int32_t row, std::int32_t column) {
  if (row < 1 || row > kSheetRows || column < 1 || column > kSheetColumns) {
    Refuse(kObjectDefinedError);
  }
  return {false, row, column};
}

std::u16string RangeLabel(const CellRange& range) {
  if (range.all) return u"all";
  std::string label = "R";
  label += std::to_string(range.row);
  label += 'C';
  label += std::to_string(range.column);
  return Utf8ToUtf16(label);
}
