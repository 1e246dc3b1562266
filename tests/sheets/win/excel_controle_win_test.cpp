#include "sheets/win/excel_controle.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "base/error.h"
#include "base/win/com.h"
#include "base/win/unique_handle.h"

namespace {

class ExcelControleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_HRESULT_SUCCEEDED(apartment.result()); }

  ComApartment apartment;
  // After the apartment, as in the shell: the reference it may hold goes before COM does.
  sheets::Excel excel = RunningExcel();
};

TEST_F(ExcelControleTest, DetachedOperationsFailAsPromised) {
  excel.SetScreenUpdating(1);
  excel.SelectCell(1, 1);
  EXPECT_EQ(excel.SelectSheetByName(u"Sheet1"), -1);
  EXPECT_EQ(excel.DeleteSelectedSheets(), -1);
  EXPECT_EQ(excel.AddSheetAfterLast(u"stops"), -1);
  EXPECT_EQ(excel.SelectSheetByIndex(1), -1);
  EXPECT_THROW(excel.SelectAllCells(), Error);
  EXPECT_THROW(excel.FormatSelectionAsText(), Error);
  EXPECT_THROW(excel.PasteUnicodeText(), Error);
}

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

// A Unix path as Wine's Z: drive shows it.
std::wstring WinePath(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return L"Z:" + std::wstring(path.begin(), path.end());
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// The stand-in application, started with the given sheets and ended when the test is done.
class RunningStandin {
 public:
  explicit RunningStandin(const std::wstring& sheets) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ =
        std::filesystem::path(temp) / ("sheets_standin_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
    std::wstring command = L"\"" + WinePath(VELMORA_STANDIN_EXE) + L"\" --sheets " + sheets +
                           L" --log \"" + log().wstring() + L"\" --dump \"" +
                           (folder_ / "workbook.json").wstring() + L"\" --ready \"" +
                           (folder_ / "ready").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
      throw Error(u"the stand-in did not start");
    }
    process_ = UniqueKernelHandle(started.hProcess);
    CloseHandle(started.hThread);
    for (int i = 0; i < 300 && !std::filesystem::exists(folder_ / "ready"); ++i) Sleep(100);
  }
  ~RunningStandin() {
    if (HWND window = FindWindowW(L"XLMAIN", nullptr)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  bool ready() const { return std::filesystem::exists(folder_ / "ready"); }
  // The references clients hold on its objects, from the workbook it writes when asked.
  int ClientReferences() const {
    const HWND window = FindWindowW(L"XLMAIN", nullptr);
    DWORD_PTR written = 0;
    if (!window ||
        !SendMessageTimeoutW(window, WM_APP + 1, 0, 0, SMTO_ABORTIFHUNG, 10000, &written)) {
      throw Error(u"the stand-in wrote no workbook");
    }
    std::ifstream file(folder_ / "workbook.json");
    const std::string workbook{std::istreambuf_iterator<char>(file), {}};
    const std::string key = "\"clientReferences\":";
    const auto at = workbook.find(key);
    if (at == std::string::npos) throw Error(u"the workbook has no reference count");
    return std::stoi(workbook.substr(at + key.size()));
  }
  std::filesystem::path log() const { return folder_ / "calls.log"; }

 private:
  std::filesystem::path folder_;
  UniqueKernelHandle process_;
};

TEST_F(ExcelControleTest, DrivesTheRunningApplication) {
  RunningStandin standin(L"stops");
  ASSERT_TRUE(standin.ready());
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
  std::set<std::string> kinds;
  for (const std::string& line : ReadLines(standin.log())) {
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
  RunningStandin standin(L"stops");
  ASSERT_TRUE(standin.ready());
  {
    sheets::Excel own = RunningExcel();
    ASSERT_EQ(own.Connect([] { return false; }), 1);
    EXPECT_GT(standin.ClientReferences(), 0);
  }
  // With COM still up: the shell relies on this to release the reference before COM goes.
  EXPECT_EQ(standin.ClientReferences(), 0);
}

TEST_F(ExcelControleTest, GivesUpWhenNoApplicationRuns) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(excel.Connect([] { return false; }), -1);
  EXPECT_GE(GetTickCount64() - start, 10000u);
  EXPECT_THROW(excel.SelectAllCells(), Error);
}

}  // namespace
