#pragma once
// The sheet operations of the import run, each a fixed sequence of member calls on the
// application. They differ in how a failure comes out: as -1, not at all, or raised.
#include <cstdint>
#include <string>

#include "sheets/automation.h"

namespace sheets {

void SetScreenUpdating(const Value& app, int32_t on);
int32_t SelectSheetByName(const Value& app, const std::u16string& name);  // 0, or -1
int32_t DeleteSelectedSheets(const Value& app);                           // 1, or -1
int32_t AddSheetAfterLast(const Value& app, const std::u16string& name);  // 1, or -1
void SelectAllCells(const Value& app);                                    // raises
void FormatSelectionAsText(const Value& app);                             // raises
void SelectCell(const Value& app, int32_t row, int32_t column);
void PasteUnicodeText(const Value& app);                      // raises
int32_t SelectSheetByIndex(const Value& app, int32_t index);  // the select's result, or -1

}  // namespace sheets
