#pragma once
// The one connection to the running spreadsheet application and the sheet operations of the
// import run on it. Every operation acts on whatever is active in the application.
#include <cstdint>
#include <functional>
#include <string>

// 1 attached, -1 not; given_up is asked after each wait between the attempts.
int32_t ConnectExcel(const std::function<bool()>& given_up);
// Called by the shell before CoUninitialize; a reference still held at program end is let go
// without a release.
void ReleaseExcel();
void PumpedWait(uint32_t ms);
void SetScreenUpdating(int32_t on);
int32_t SelectSheetByName(const std::u16string& name);  // 0, or -1
int32_t DeleteSelectedSheets();                         // 1, or -1
int32_t AddSheetAfterLast(const std::u16string& name);  // 1, or -1
void SelectAllCells();                                  // throws Error
void FormatSelectionAsText();                           // throws Error
void SelectCell(int32_t row, int32_t column);
void PasteUnicodeText();  // throws Error
int32_t SelectSheetByIndex(int32_t index);
