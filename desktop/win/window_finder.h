#pragma once
// Finds a top-level window of the desktop by its caption, walking down the Z order from the top.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "desktop/caption_match.h"

// The walk starts at the top of the Z order that the application window is part of. mode: one
// of desktop/caption_match.h; every mode but kCaptionBeginsWithQuietly activates the window
// found. Gives the window, 0 when none passes, or -1 when the search limit was reached.
HWND FindTopWindow(HWND application_window, std::u16string_view text, std::u16string_view exclude1,
                   std::u16string_view exclude2, int32_t mode);
