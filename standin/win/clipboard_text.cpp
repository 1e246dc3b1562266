#include "standin/win/clipboard_text.h"

#include <algorithm>

#include "base/win/global_memory.h"
#include "base/win/opened_clipboard.h"

std::optional<std::u16string> ReadClipboardText(HWND owner) {
  const OpenedClipboard clipboard(owner);
  if (!clipboard) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const LockedGlobalMemory locked(data);
  const auto* text = static_cast<const char16_t*>(locked.get());
  if (!text) return std::nullopt;
  // A block without a terminating null ends where the block ends.
  const std::size_t limit = GlobalSize(data) / sizeof(char16_t);
  return std::u16string(text, std::find(text, text + limit, u'\0'));
}
