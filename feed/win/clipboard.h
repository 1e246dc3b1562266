#pragma once
#include <windows.h>

#include <string>

// Places the text as the clipboard's only content (Unicode text), owned by the given window
// (the application window), retrying while another program holds the clipboard. True when it
// was placed; false after the 15th failed attempt, the clipboard then keeping what it held.
bool PutTabTextOnClipboard(HWND owner, const std::u16string& tab_text);
