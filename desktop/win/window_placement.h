#pragma once
// The spreadsheet window: brought to the front after attaching, placed at the end of a run.
// Both look for the first top-level window whose caption contains "Excel", walking from the
// top of the application window's Z order, and never fail.
#include <windows.h>

#include <cstdint>

// Foreground, normal size and position, top of the Z order.
void BringUpExcelWindow(HWND application_window);

// PlaceExcelWindowOn (desktop/excel_window_placement.h) on this system's windows, cursor and
// keyboard.
void PlaceExcelWindow(HWND application_window, int32_t top, int32_t action);
