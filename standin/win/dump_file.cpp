#include "standin/win/dump_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/utf.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"
#include "standin/win/sheet_painter.h"

namespace {

WindowRect RectOf(HWND window) {
  RECT rect{};
  if (window) GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Writes text beside the path, then moves it into place.
void WriteInPlace(const std::string& text, const std::u16string& path) {
  if (path.empty()) return;
  const std::u16string partial = path + u".part";
  {
    std::ofstream file(std::filesystem::path(partial), std::ios::binary | std::ios::trunc);
    file << text;
    if (file.flush()) file.close();
    if (!file) {
      std::fputs(("The dump cannot be written: " + Utf16ToUtf8(partial) + "\n").c_str(), stderr);
      return;
    }
  }
  if (!MoveFileExW(AsWide(partial), AsWide(path), MOVEFILE_REPLACE_EXISTING)) {
    std::fputs(("The dump cannot be written: " + Utf16ToUtf8(LastErrorText()) + "\n").c_str(),
               stderr);
  }
}

}  // namespace

void WriteDumpFile(const StandinState& state, const std::u16string& path) {
  if (path.empty()) return;
  WriteInPlace(DumpJson(state.workbook ? &*state.workbook : nullptr, state.settings, state.keys,
                        RectOf(state.window), state.client_references),
               path);
}

void WriteSummaryFile(const StandinState& state, const std::u16string& path) {
  const Workbook* workbook = state.workbook ? &*state.workbook : nullptr;
  WriteInPlace(SummaryJson(workbook, workbook && state.window ? ScreenTabs(state.window, *workbook)
                                                              : std::vector<SheetTab>{}),
               path);
}
