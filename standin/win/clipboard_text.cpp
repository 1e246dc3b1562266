#include "standin/win/clipboard_text.h"

#include <algorithm>

namespace {

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

}  // namespace

std::optional<std::u16string> ReadClipboardText(HWND owner) {
  const OpenedClipboard clipboard(owner);
  if (!clipboard) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr;
  if (!text) return std::nullopt;
  // A block without a terminating null ends where the block ends.
  const std::size_t limit = GlobalSize(data) / sizeof(char16_t);
  std::u16string result(text, std::find(text, text + limit, u'\0'));
  GlobalUnlock(data);
  return result;
}
