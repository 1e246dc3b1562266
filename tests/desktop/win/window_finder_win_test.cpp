#include "desktop/win/window_finder.h"

#include <gtest/gtest.h>

#include <string>

#include "base/win/unique_handle.h"
#include "tests/desktop/win/test_window.h"

namespace {
// Runs the helper built beside this test, whose name gives it the title "Excelprobe", and
// holds its hidden window.
class TitleProbe {
 public:
  TitleProbe() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"Excelprobe.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
      return;
    }
    process_.reset(started.hProcess);
    CloseHandle(started.hThread);
    // A minute at the most: a start under load is slow.
    constexpr int kLooks = 3000;
    constexpr DWORD kLookPauseMs = 20;
    for (int i = 0; i < kLooks && !window_; ++i) {
      Sleep(kLookPauseMs);
      HWND found = FindWindowW(L"DesktopTitleProbe", nullptr);
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (found && owner == started.dwProcessId) window_ = found;
    }
  }
  ~TitleProbe() {
    if (!process_) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
    }
  }
  TitleProbe(const TitleProbe&) = delete;
  TitleProbe& operator=(const TitleProbe&) = delete;

  HWND window() const { return window_; }

 private:
  UniqueKernelHandle process_;
  HWND window_ = nullptr;
};

std::wstring CaptionOf(HWND window) {
  wchar_t caption[100] = {};
  GetWindowTextW(window, caption, static_cast<int>(std::size(caption)));
  return caption;
}

class FindTopWindowTest : public ::testing::Test {
 protected:
  TestApplicationWindow application_;
};

TEST_F(FindTopWindowTest, HigherExcelCaptionWinsVisibleOrNot) {
  TestWindow visible(L"Book1 - Excel", {100, 100, 500, 400});
  TestWindow hidden(L"Microsoft Excel - Book2", {150, 150, 550, 450}, false);
  hidden.Raise();
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 2), hidden.get());
  visible.Raise();
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 2), visible.get());
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"Book1", u"", 2), hidden.get());
  EXPECT_EQ(FindTopWindow(application_.get(), u"Microsoft", u"", u"", 3), hidden.get());
}

TEST_F(FindTopWindowTest, CaptionInCapitalsDoesNotMatch) {
  TestWindow shouting(L"MICROSOFT EXCEL", {100, 100, 500, 400});
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 2), nullptr);
  EXPECT_EQ(FindTopWindow(application_.get(), u"MICROSOFT EXCEL", u"", u"", 0), shouting.get());
}

TEST_F(FindTopWindowTest, ActivationRestoresAMinimisedWindowExceptInMode3) {
  TestWindow sheet(L"Excel - Book1", {100, 100, 500, 400});
  ShowWindow(sheet.get(), SW_MINIMIZE);
  ASSERT_TRUE(PumpMessagesUntil([&] { return IsIconic(sheet.get()); }));
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 3), sheet.get());
  EXPECT_TRUE(IsIconic(sheet.get()));
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 1), sheet.get());
  EXPECT_TRUE(PumpMessagesUntil([&] { return !IsIconic(sheet.get()); }));
  EXPECT_EQ(Corners(sheet.Rect()), (std::array<LONG, 4>{100, 100, 500, 400}));
}

TEST_F(FindTopWindowTest, HiddenApplicationWindowOfATitledToolIsFoundWhenHigher) {
  TestWindow sheet(L"Book1 - Excel", {100, 100, 500, 400});
  const TitleProbe probe;
  ASSERT_NE(probe.window(), nullptr);
  EXPECT_EQ(CaptionOf(probe.window()), L"Excelprobe");
  EXPECT_FALSE(IsWindowVisible(probe.window()));

  SetWindowPos(probe.window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 2), probe.window());
  sheet.Raise();
  EXPECT_EQ(FindTopWindow(application_.get(), u"Excel", u"", u"", 2), sheet.get());
}
}  // namespace
