#include "sheets/win/excel_controle.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "base/error.h"
#include "base/win/com.h"
#include "tests/standin/win/standin_process.h"

namespace {

using namespace std::chrono_literals;

class ExcelControleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_HRESULT_SUCCEEDED(apartment.result()); }

  ComApartment apartment;
  // After the apartment, as in the shell: the reference it may hold goes before COM does.
  sheets::Excel excel = RunningExcel();
};

int delivered = 0;
LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) ++delivered;
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(ExcelControleTest, PumpedWaitProcessesMessagesAndWaitsByTheClock) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = CountingProcedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"PumpedWaitTest";
  RegisterClassW(&window_class);
  HWND window = CreateWindowW(L"PumpedWaitTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  delivered = 0;
  PostMessageW(window, WM_APP, 0, 0);
  PostMessageW(window, WM_APP, 0, 0);
  PumpedWait(0);
  EXPECT_EQ(delivered, 2);

  const ULONGLONG start = GetTickCount64();
  PumpedWait(50);
  EXPECT_GE(GetTickCount64() - start, 50u);
  DestroyWindow(window);
}

TEST_F(ExcelControleTest, DrivesTheRunningApplication) {
  StandinProcess standin({L"--sheets", L"stops"});
  ASSERT_TRUE(standin.WaitUntilReady(30s));
  ASSERT_EQ(excel.Connect([] { return false; }), 1);
  EXPECT_EQ(excel.SelectSheetByName(u"stops"), 0);
  EXPECT_EQ(excel.DeleteSelectedSheets(), -1);       // a workbook keeps its last sheet
  EXPECT_EQ(excel.AddSheetAfterLast(u"stops"), -1);  // the name is taken: the new sheet stays
  EXPECT_EQ(excel.AddSheetAfterLast(u""), 1);
  EXPECT_NO_THROW(excel.SelectAllCells());
  EXPECT_NO_THROW(excel.FormatSelectionAsText());
  excel.SelectCell(1, 1);
  EXPECT_EQ(excel.SelectSheetByName(u"nothing"), -1);
  excel.SelectSheetByIndex(1);
  excel.Release();

  // The order of the calls is pinned by the operations' own tests; here what counts is that
  // each kind of call reached the other process with its names resolved and its arguments typed
  // as the application needs them.
  EXPECT_EQ(standin.Close(), 0);
  std::set<std::string> kinds;
  std::istringstream log(standin.Log());
  for (std::string line; std::getline(log, line);) {
    if (line.starts_with("Invoke ")) kinds.insert(line.substr(7));
  }
  EXPECT_EQ(kinds, (std::set<std::string>{
                       "Application.ActiveSheet flags=3 args= named=0",
                       "Application.ActiveWindow flags=3 args= named=0",
                       "Application.Cells flags=3 args= named=0",
                       "Application.Cells flags=3 args=4003,4003 named=0",
                       "Application.DisplayAlerts flags=4 args=000b named=1",
                       "Application.ScreenUpdating flags=4 args=000b named=1",
                       "Application.Selection flags=3 args= named=0",
                       "Application.Sheets flags=3 args= named=0",
                       "Application.Sheets flags=3 args=4008 named=0",
                       "Range.NumberFormatLocal flags=4 args=0008 named=1",
                       "Range.Select flags=1 args= named=0",
                       "Sheets.Add flags=3 args=000a,0009 named=0",
                       "Sheets.Count flags=3 args= named=0",
                       "Sheets.Delete flags=1 args= named=0",
                       "Sheets.Item flags=3 args=4003 named=0",
                       "Window.SelectedSheets flags=3 args= named=0",
                       "Worksheet.Name flags=4 args=4008 named=1",
                       "Worksheet.Select flags=1 args= named=0",
                       "Worksheet.Select flags=3 args= named=0",
                   }));
}

TEST_F(ExcelControleTest, LetsGoOfTheApplicationWhenItGoes) {
  StandinProcess standin({L"--sheets", L"stops"});
  ASSERT_TRUE(standin.WaitUntilReady(30s));
  {
    sheets::Excel own = RunningExcel();
    ASSERT_EQ(own.Connect([] { return false; }), 1);
    EXPECT_GT(ClientReferences(standin.Dump()), 0);
  }
  // With COM still up: the shell relies on this to release the reference before COM goes.
  EXPECT_EQ(ClientReferences(standin.Dump()), 0);
  EXPECT_EQ(standin.Close(), 0);
}

TEST_F(ExcelControleTest, GivesUpWhenNoApplicationRuns) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(excel.Connect([] { return false; }), -1);
  EXPECT_GE(GetTickCount64() - start, 10000u);
  EXPECT_THROW(excel.SelectAllCells(), Error);
}

}  // namespace
