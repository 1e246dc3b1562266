#include "app/win/import_steps_win.h"

#include <windows.h>

#include "app/win/application.h"
#include "app/win/frm_main_form.h"
#include "base/error.h"
#include "base/win/shell_services.h"
#include "base/win/wide.h"
#include "desktop/win/window_placement.h"
#include "feed/win/clipboard.h"
#include "feed/win/feed_conversion.h"
#include "feed/win/working_folder.h"
#include "sheets/win/excel_controle.h"

void WindowImportSteps::EnableButton(bool enabled) {
  form_.EnablePutButton(enabled);
}
void WindowImportSteps::ShowStatus(const std::u16string& text) {
  form_.SetStatus(text);
}
std::optional<std::u16string> WindowImportSteps::ChooseArchive() {
  return form_.ChooseArchive();
}
bool WindowImportSteps::SkipFares() {
  return form_.SkipFares();
}
bool WindowImportSteps::SkipShapes() {
  return form_.SkipShapes();
}

void WindowImportSteps::ShowMessage(const std::u16string& text) {
  MessageBoxW(form_.Handle(), AsWide(text), AsWide(ApplicationTitleText()), MB_OK);
}

void WindowImportSteps::ShowFailure(const std::u16string& error_text) {
  ReportUncaughtFailure(Error(error_text));
}

void WindowImportSteps::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}
void WindowImportSteps::ProcessPendingMessages() {
  ::ProcessPendingMessages();
}
bool WindowImportSteps::WindowClosed() {
  return form_.ClosedDuringRun();
}

std::u16string WindowImportSteps::WorkingFolder() {
  return ::WorkingFolder();
}
void WindowImportSteps::DeleteWorkingFolder(const std::u16string& folder) {
  ::DeleteWorkingFolder(folder);
}
void WindowImportSteps::ExtractFeedArchive(const std::u16string& archive,
                                           const std::u16string& folder) {
  ::ExtractFeedArchive(archive, folder);
}
std::vector<std::u16string> WindowImportSteps::ListFeedFiles(const std::u16string& folder) {
  return ::ListFeedFiles(folder);
}
std::u16string WindowImportSteps::ConvertFeedFile(const std::u16string& folder,
                                                  const std::u16string& name) {
  return ::ConvertFeedFile(folder, name);
}
bool WindowImportSteps::PutTabTextOnClipboard(const std::u16string& tab_text) {
  return ::PutTabTextOnClipboard(tab_text);
}

std::int32_t WindowImportSteps::ConnectExcel() {
  return ::ConnectExcel([this] { return form_.ClosedDuringRun(); });
}
void WindowImportSteps::ReleaseExcel() {
  ::ReleaseExcel();
}
void WindowImportSteps::SetScreenUpdating(std::int32_t on) {
  ::SetScreenUpdating(on);
}
std::int32_t WindowImportSteps::SelectSheetByName(const std::u16string& name) {
  return ::SelectSheetByName(name);
}
std::int32_t WindowImportSteps::DeleteSelectedSheets() {
  return ::DeleteSelectedSheets();
}
std::int32_t WindowImportSteps::AddSheetAfterLast(const std::u16string& name) {
  return ::AddSheetAfterLast(name);
}
void WindowImportSteps::SelectAllCells() {
  ::SelectAllCells();
}
void WindowImportSteps::FormatSelectionAsText() {
  ::FormatSelectionAsText();
}
void WindowImportSteps::SelectCell(std::int32_t row, std::int32_t column) {
  ::SelectCell(row, column);
}
void WindowImportSteps::PasteUnicodeText() {
  ::PasteUnicodeText();
}
std::int32_t WindowImportSteps::SelectSheetByIndex(std::int32_t index) {
  return ::SelectSheetByIndex(index);
}

void WindowImportSteps::BringUpExcelWindow() {
  ::BringUpExcelWindow();
}
void WindowImportSteps::PlaceExcelWindow(std::int32_t top, std::int32_t action) {
  ::PlaceExcelWindow(top, action);
}
