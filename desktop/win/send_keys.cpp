#include "desktop/win/send_keys.h"

#include <windows.h>

#include "base/win/unique_handle.h"
#include "desktop/key_string.h"

namespace {
// PROCESS_ALL_ACCESS as headers before Windows Vista define it: the newer, wider mask is refused
// by older systems, and this one is granted everywhere.
constexpr DWORD kAllProcessAccess = 0x1F0FFF;
constexpr DWORD kInputIdleLimitMs = 10000;
// A WM_CHAR's lParam: repeat count 1 in the low word, scan code 1 above it.
constexpr LPARAM kRepeatOnceScanCodeOne = 0x00010001;

// Shares our input state with another thread's while it lives, so GetFocus sees its focus.
class AttachedInput {
 public:
  AttachedInput(DWORD self, DWORD other)
      : self_(self), other_(other), attached_(AttachThreadInput(self, other, TRUE) != FALSE) {}
  ~AttachedInput() {
    if (attached_) AttachThreadInput(self_, other_, FALSE);
  }
  AttachedInput(const AttachedInput&) = delete;
  AttachedInput& operator=(const AttachedInput&) = delete;
  explicit operator bool() const { return attached_; }

 private:
  DWORD self_;
  DWORD other_;
  bool attached_;
};

class SystemKeyboard : public KeyboardLayout, public KeySink {
 public:
  std::uint16_t ScanKey(char16_t character) override {
    return static_cast<std::uint16_t>(VkKeyScanW(static_cast<wchar_t>(character)));
  }
  bool IsLeadByte(std::uint8_t byte) override { return IsDBCSLeadByte(byte) != FALSE; }

  void Press(std::uint8_t code) override { keybd_event(code, 0, 0, 0); }
  void Release(std::uint8_t code) override { keybd_event(code, 0, KEYEVENTF_KEYUP, 0); }

  void PostCharPair(std::uint8_t lead, std::uint8_t trail) override {
    DWORD process_id = 0;
    const DWORD thread_id = GetWindowThreadProcessId(GetForegroundWindow(), &process_id);
    const AttachedInput attached(GetCurrentThreadId(), thread_id);
    if (!attached) return;
    if (const UniqueKernelHandle process(OpenProcess(kAllProcessAccess, FALSE, process_id));
        process) {
      WaitForInputIdle(process.get(), kInputIdleLimitMs);
    }
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_CHAR, lead, kRepeatOnceScanCodeOne);
    PostMessageW(focus, WM_CHAR, trail, kRepeatOnceScanCodeOne);
  }
};
}  // namespace

bool SendKeys(std::u16string_view keys) {
  SystemKeyboard keyboard;
  SendKeyString(keys, keyboard, keyboard);
  return true;
}
