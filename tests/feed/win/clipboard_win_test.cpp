#include "feed/win/clipboard.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/win/global_memory.h"
#include "base/win/opened_clipboard.h"
#include "base/win/unique_handle.h"
#include "base/win/wide.h"
#include "feed/win/working_folder.h"
#include "tests/feed/win/win_test_folder.h"

namespace {

std::u16string ClipboardText() {
  const OpenedClipboard clipboard(nullptr);
  if (!clipboard) return u"(clipboard busy)";
  const HANDLE block = GetClipboardData(CF_UNICODETEXT);
  if (!block) return u"(no text)";
  const LockedGlobalMemory text(block);
  return FromWide(static_cast<const wchar_t*>(text.get()));
}

// The formats placed, without those the system makes up from Unicode text.
std::set<UINT> PlacedFormats() {
  std::set<UINT> formats;
  const OpenedClipboard clipboard(nullptr);
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (format != CF_TEXT && format != CF_OEMTEXT && format != CF_LOCALE) formats.insert(format);
  }
  return formats;
}

// The clipboard holder in a process of its own: it holds the clipboard from the moment it says
// "held" for the given time or until told to let go, and says "letting go" before it closes it.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(int milliseconds) {
    const std::wstring event_name = L"feed_tests_let_go_" + std::to_wstring(GetCurrentProcessId());
    let_go_.reset(CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inheritable, 0)) return;
    output_.reset(read_end);
    const UniqueKernelHandle holder_output(write_end);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    std::wstring command = L"\"" + std::wstring(AsWide(ExeFolder())) + L"clipboard_holder.exe\" " +
                           std::to_wstring(milliseconds) + L" " + event_name;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write_end;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
      process_.reset(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  ~ClipboardHolder() { LetGo(); }

  // Whether the holder has said the line, waiting for it up to the given time.
  bool Said(const std::string& line, ULONGLONG timeout_ms) {
    if (!process_) return false;
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
      const bool ended = WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
      ReadWhatIsWritten();
      if (said_.find(line + "\n") != std::string::npos) return true;
      if (ended || GetTickCount64() >= deadline) return false;
      Sleep(10);
    }
  }

  // Tells the holder to let go and waits until it has ended; true when it did.
  bool LetGo() {
    SetEvent(let_go_.get());
    return process_ && WaitForSingleObject(process_.get(), 30000) == WAIT_OBJECT_0;
  }

 private:
  void ReadWhatIsWritten() {
    DWORD available = 0;
    while (PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr) && available) {
      std::string chunk(available, '\0');
      DWORD read = 0;
      if (!ReadFile(output_.get(), chunk.data(), available, &read, nullptr)) return;
      said_.append(chunk, 0, read);
    }
  }

  UniqueKernelHandle let_go_;
  UniqueKernelHandle output_;
  UniqueKernelHandle process_;
  std::string said_;
};

// A start under load can take long: a generous limit, only ever reached when the holder failed.
constexpr ULONGLONG kStartLimitMs = 60000;

}  // namespace

TEST(Clipboard, HoldsTheTabTextAsItsOnlyFormat) {
  const UniqueWindow window = HiddenTestWindow();
  const std::u16string text = u"id\tname\r\n1\t東京\U0001F683\r\n";
  ASSERT_TRUE(PutTabTextOnClipboard(window.get(), text));
  EXPECT_EQ(ClipboardText(), text);
  EXPECT_EQ(PlacedFormats(), std::set<UINT>{CF_UNICODETEXT});
  EXPECT_EQ(GetClipboardOwner(), window.get());

  ASSERT_TRUE(PutTabTextOnClipboard(window.get(), u""));
  EXPECT_EQ(ClipboardText(), u"");
}

TEST(Clipboard, WaitsForAProgramThatHoldsItBriefly) {
  const UniqueWindow window = HiddenTestWindow();
  ClipboardHolder holder(1000);
  ASSERT_TRUE(holder.Said("held", kStartLimitMs));
  EXPECT_TRUE(PutTabTextOnClipboard(window.get(), u"later\r\n"));
  // Placed after the holder let go, which it says before it closes the clipboard.
  EXPECT_TRUE(holder.Said("letting go", 0));
  EXPECT_EQ(ClipboardText(), u"later\r\n");
}

TEST(Clipboard, GivesUpAfterFifteenAttemptsAndKeepsWhatItHeld) {
  const UniqueWindow window = HiddenTestWindow();
  ASSERT_TRUE(PutTabTextOnClipboard(window.get(), u"before"));
  ClipboardHolder holder(600000);  // until told
  ASSERT_TRUE(holder.Said("held", kStartLimitMs));
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(PutTabTextOnClipboard(window.get(), u"too late"));
  // 300 ms after each failed attempt: 14 sleeps at the least, however slow the machine. How
  // many attempts exactly is pinned where no clipboard is involved.
  EXPECT_GE(GetTickCount64() - start, 14 * 300u);
  ASSERT_TRUE(holder.LetGo());
  EXPECT_EQ(ClipboardText(), u"before");
}
