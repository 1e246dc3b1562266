#include "feed/win/clipboard.h"

#include <windows.h>

#include <cstring>

#include "base/error.h"
#include "base/win/shell_services.h"
#include "base/win/system_error_text.h"
#include "base/win/unique_handle.h"
#include "feed/clipboard_attempts.h"
#include "feed/feed_failure_texts.h"

namespace {

struct GlobalMemoryTraits {
  using Value = HGLOBAL;
  static Value Invalid() { return nullptr; }
  static void Close(Value value) { GlobalFree(value); }
};
using UniqueGlobalMemory = UniqueResource<GlobalMemoryTraits>;

class OpenClipboardScope {
 public:
  OpenClipboardScope() {
    if (!OpenClipboard(ApplicationWindow())) Fail();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() { CloseClipboard(); }
  void Empty() {
    if (!EmptyClipboard()) Fail();
  }

 private:
  [[noreturn]] static void Fail() {
    throw Error(FormatText(kClipboardNotOpened, {LastErrorText()}));
  }
};

[[noreturn]] void ThrowDataRefused() {
  throw Error(kClipboardDataRefused);
}

UniqueGlobalMemory UnicodeTextBlock(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!block) ThrowDataRefused();
  void* data = GlobalLock(block.get());
  if (!data) ThrowDataRefused();
  std::memcpy(data, text.c_str(), bytes);
  GlobalUnlock(block.get());
  return block;
}

void PlaceOnClipboard(const std::u16string& text) {
  // Emptied and closed on its own first, then emptied again with the text: programs that watch
  // the clipboard see both changes, as they always have.
  {
    OpenClipboardScope clipboard;
    clipboard.Empty();
  }
  OpenClipboardScope clipboard;
  clipboard.Empty();
  UniqueGlobalMemory block = UnicodeTextBlock(text);
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) ThrowDataRefused();
  block.release();  // the clipboard owns it now
}

}  // namespace

bool PutTabTextOnClipboard(const std::u16string& tab_text) {
  return PlaceWithRetries([&] { PlaceOnClipboard(tab_text); }, ProcessPendingMessages,
                          [](std::uint32_t ms) { Sleep(ms); });
}
