#include "feed/clipboard.h"

#include <gtest/gtest.h>

#include <set>

#include "app/base/win/shell_services.h"
#include "app/base/win/unique_handle.h"
#include "app/base/win/wide.h"
#include "feed/working_folder.h"
#include "tests/feed/win_test_folder.h"

namespace {

std::u16string ClipboardText() {
  if (!OpenClipboard(nullptr)) return u"(clipboard busy)";
  std::u16string text = u"(no text)";
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    text = FromWide(static_cast<const wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

// The formats placed, without those the system makes up from Unicode text.
std::set<UINT> PlacedFormats() {
  std::set<UINT> formats;
  OpenClipboard(nullptr);
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (format != CF_TEXT && format != CF_OEMTEXT && format != CF_LOCALE) formats.insert(format);
  }
  CloseClipboard();
  return formats;
}

// Another process that holds the clipboard from its start for the given time.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(int milliseconds) {
    const std::wstring event_name =
        L"feed_tests_clipboard_" + std::to_wstring(GetCurrentProcessId());
    UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
    std::wstring command = L"\"" + std::wstring(AsWide(ExeFolder())) + L"clipboard_holder.exe\" " +
                           std::to_wstring(milliseconds) + L" " + event_name;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
      process_.reset(process.hProcess);
      CloseHandle(process.hThread);
      holding_ = WaitForSingleObject(ready.get(), 10000) == WAIT_OBJECT_0;
    }
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  ~ClipboardHolder() {
    if (process_) WaitForSingleObject(process_.get(), 20000);
  }
  bool holding() const { return holding_; }

 private:
  UniqueKernelHandle process_;
  bool holding_ = false;
};

}  // namespace

TEST(Clipboard, HoldsTheTabTextAsItsOnlyFormat) {
  HiddenApplicationWindow window;
  const std::u16string text = u"id\tname\r\n1\t東京\U0001F683\r\n";
  ASSERT_TRUE(PutTabTextOnClipboard(text));
  EXPECT_EQ(ClipboardText(), text);
  EXPECT_EQ(PlacedFormats(), std::set<UINT>{CF_UNICODETEXT});
  EXPECT_EQ(GetClipboardOwner(), ApplicationWindow());

  ASSERT_TRUE(PutTabTextOnClipboard(u""));
  EXPECT_EQ(ClipboardText(), u"");
}

TEST(Clipboard, WaitsForAProgramThatHoldsItBriefly) {
  HiddenApplicationWindow window;
  ClipboardHolder holder(1000);
  ASSERT_TRUE(holder.holding());
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(PutTabTextOnClipboard(u"later\r\n"));
  EXPECT_GE(GetTickCount64() - start, 600u);
  EXPECT_EQ(ClipboardText(), u"later\r\n");
}

TEST(Clipboard, GivesUpAfterFifteenAttempts) {
  HiddenApplicationWindow window;
  ASSERT_TRUE(PutTabTextOnClipboard(u"before"));
  ClipboardHolder holder(6000);
  ASSERT_TRUE(holder.holding());
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(PutTabTextOnClipboard(u"too late"));
  const ULONGLONG waited = GetTickCount64() - start;
  EXPECT_GE(waited, 4400u);
  EXPECT_LT(waited, 5900u);
}
