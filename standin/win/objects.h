#pragma once
// The object kinds the stand-in hands out; each comes with one reference for the caller.
#include <optional>
#include <vector>

#include "standin/core/cell_range.h"
#include "standin/core/workbook.h"
#include "standin/win/dispatch_object.h"

DispatchObject* NewApplication(StandinState& state);
// among: a fixed set of sheets (the selected ones), or the workbook's sheets as they are now.
DispatchObject* NewSheets(StandinState& state, std::optional<std::vector<SheetId>> among);
DispatchObject* NewWorksheet(StandinState& state, SheetId sheet);
DispatchObject* NewRange(StandinState& state, SheetId sheet, const CellRange& range);
DispatchObject* NewWindow(StandinState& state);

// The sheet an index argument names: by name when it is text, else by 1-based position.
SheetId SheetFromIndex(const Workbook& workbook, const CallArguments& arguments, std::size_t i,
                       const std::vector<SheetId>& among = {});
