#pragma once
// The rules a worksheet name must pass, as the spreadsheet application applies them.
#include <string_view>

// Compares names as the application does: letters without regard to case.
bool SameSheetName(std::u16string_view a, std::u16string_view b);

// Throws Error for a name the application refuses on its own (empty, too long, a forbidden
// character, an apostrophe at either end, the reserved name). Clashes with other sheets are the
// workbook's to check.
void CheckSheetName(std::u16string_view name);
