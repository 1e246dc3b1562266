#pragma once
// The spreadsheet window: brought to the front after attaching, placed at the end of a run.
// Both look for the first top-level window whose caption contains "Excel" and never fail.
#include <cstdint>

// Foreground, normal size and position, top of the Z order.
void BringUpExcelWindow();

// After about a second of processing the tool's messages, moves and sizes the window (top offset
// kMarginAllRound: 20 pixels in from every screen edge), then action kRightClickTitleBar
// right-clicks its title bar and kSendEscape sends it Escape (see desktop/placement_rect.h).
void PlaceExcelWindow(int32_t top, int32_t action);
