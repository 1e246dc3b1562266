#pragma once
// How pasted Unicode text becomes cells.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TextRows = std::vector<std::vector<std::u16string>>;

// A row per CR LF line, a cell per TAB field, with quoted fields as the application reads them
// (a quote opening a field keeps TABs and line breaks in its cell up to the closing quote); a
// final CR LF adds no row. Throws Error, before any cell is written, when the rows or columns
// would run past the sheet's edge from the given top-left cell.
TextRows SplitPasteText(std::u16string_view text, std::int32_t top_row, std::int32_t left_column);

// What a cell in the general format shows for typed text: numbers lose their leading zeros,
// a "+" sign and trailing fraction zeros, as the application converts them.
std::u16string GeneralFormatText(std::u16string_view text);
