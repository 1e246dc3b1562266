#pragma once
#include <windows.h>

#include "standin/core/workbook.h"

// Draws what fits of the active sheet's grid with its cells' text, and the sheet tabs with the
// active one marked; a grey area when no workbook is open.
void PaintWorkbook(HWND window, HDC dc, const Workbook* workbook);
