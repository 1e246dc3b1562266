#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The clipboard's CF_UNICODETEXT up to its terminating null; nothing when the clipboard cannot
// be opened or holds no Unicode text.
std::optional<std::u16string> ReadClipboardText(HWND owner);
