#pragma once
// Draws the push button and the check boxes in the application's visual style, keeping the
// text colours of the window's layout. Themed buttons ignore the usual colour messages, so the
// main window paints them itself from their custom-draw notifications.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/visual_style.h"

struct ControlLook {
  const VisualStyle* style;  // null: the system's look
  COLORREF text;
  COLORREF background;  // behind a check box
};

// Handles one NM_CUSTOMDRAW of a button control; returns the custom-draw result.
LRESULT PaintButtonControl(const NMCUSTOMDRAW& draw, const ControlLook& look);
