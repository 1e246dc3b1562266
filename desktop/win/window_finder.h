#pragma once
// Finds a top-level window of the desktop by its caption, walking down the Z order from the top.
#include <windows.h>

#include <cstdint>
#include <string_view>

// Modes 0 (equals), 1 (begins with), 2 (contains) activate the window found; 3 (begins with)
// does not. Gives the window, 0 when none passes, or -1 when the search limit was reached.
HWND FindTopWindow(std::u16string_view text, std::u16string_view exclude1,
                   std::u16string_view exclude2, int32_t mode);
