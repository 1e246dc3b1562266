#include "feed/win/clipboard.h"

#include <cstring>

#include "base/error.h"
#include "base/win/global_memory.h"
#include "base/win/opened_clipboard.h"
#include "base/win/shell_services.h"
#include "base/win/system_error_text.h"
#include "feed/clipboard_attempts.h"
#include "feed/feed_failure_texts.h"

namespace {

void EmptyOrThrow(const OpenedClipboard& clipboard) {
  if (!clipboard || !EmptyClipboard()) {
    throw Error(FormatText(kClipboardNotOpened, {LastErrorText()}));
  }
}

[[noreturn]] void ThrowDataRefused() {
  throw Error(kClipboardDataRefused);
}

UniqueGlobalMemory UnicodeTextBlock(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!block) ThrowDataRefused();
  {
    const LockedGlobalMemory data(block.get());
    if (!data.get()) ThrowDataRefused();
    std::memcpy(data.get(), text.c_str(), bytes);
  }
  return block;
}

void PlaceOnClipboard(HWND owner, const std::u16string& text) {
  // Emptied and closed on its own first, then emptied again with the text: programs that watch
  // the clipboard see both changes, as they always have.
  {
    const OpenedClipboard clipboard(owner);
    EmptyOrThrow(clipboard);
  }
  const OpenedClipboard clipboard(owner);
  EmptyOrThrow(clipboard);
  UniqueGlobalMemory block = UnicodeTextBlock(text);
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) ThrowDataRefused();
  block.release();  // the clipboard owns it now
}

}  // namespace

bool PutTabTextOnClipboard(HWND owner, const std::u16string& tab_text) {
  return PlaceWithRetries([&] { PlaceOnClipboard(owner, tab_text); }, ProcessPendingMessages,
                          [](std::uint32_t ms) { Sleep(ms); });
}
