#pragma once
// The ranges the stand-in hands out: all cells of a sheet, or one cell.
#include <cstdint>
#include <string>

inline constexpr std::int32_t kSheetRows = 1048576;
inline constexpr std::int32_t kSheetColumns = 16384;

struct CellRange {
  bool all = false;
  std::int32_t row = 1;  // 1-based, unused when all
  std::int32_t column = 1;

  static CellRange AllCells() { return {true, 1, 1}; }
  // Throws Error outside the sheet.
  static CellRange Cell(std::int32_t row, std::int32_t column);
  bool Covers(std::int32_t cell_row, std::int32_t cell_column) const {
    return all || (row == cell_row && column == cell_column);
  }
  bool operator==(const CellRange&) const = default;
};

// "all" or the R1C1 form, as the dump shows it.
std::u16string RangeLabel(const CellRange& range);
