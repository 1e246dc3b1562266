#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "standin/core/dump.h"

#include "standin/core/workbook.h"

// Draws what fits of the active sheet's grid with its cells' text, and the visible sheets' tabs
// with the active one marked; a grey area when no workbook is open.
void PaintWorkbook(HWND window, HDC dc, const Workbook* workbook);

// The sheet whose tab lies under the point of the window's client area.
std::optional<SheetId> TabAt(HWND window, POINT point, const Workbook& workbook);
// The visible sheets' tabs in screen coordinates.
std::vector<SheetTab> ScreenTabs(HWND window, const Workbook& workbook);
