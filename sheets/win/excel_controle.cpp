#include "sheets/win/excel_controle.h"

#include <windows.h>

#include <memory>

#include "base/win/shell_services.h"
#include "sheets/connection.h"
#include "sheets/sheet_operations.h"
#include "sheets/win/hresult_error.h"
#include "sheets/win/variant_value.h"

namespace {

// ExcelApp: the application object, or nothing while detached.
class ApplicationReference {
 public:
  ~ApplicationReference() {
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    // Once COM is shut down a release would call into it: let the reference go unreleased, the
    // process is ending anyway.
    if (FAILED(CoGetApartmentType(&type, &qualifier))) static_cast<void>(held.release());
  }
  std::unique_ptr<sheets::Value> held;
};
ApplicationReference ExcelApp;

const sheets::Value& App() {
  static const VariantValue detached;
  if (ExcelApp.held) return *ExcelApp.held;
  return detached;
}

std::unique_ptr<sheets::Value> AttachRunningExcel() {
  CLSID clsid;
  ThrowIfFailed(CLSIDFromProgID(L"Excel.Application", &clsid));
  ComPtr<IUnknown> running;
  ThrowIfFailed(GetActiveObject(clsid, nullptr, running.put()));
  ComPtr<IDispatch> dispatch;
  ThrowIfFailed(running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put())));
  return std::make_unique<VariantValue>(std::move(dispatch));
}

}  // namespace

int32_t ConnectExcel(const std::function<bool()>& given_up) {
  return sheets::Connect(ExcelApp.held,
                         {.wait = PumpedWait, .attach = AttachRunningExcel, .given_up = given_up});
}

void ReleaseExcel() {
  ExcelApp.held.reset();
}

void PumpedWait(uint32_t ms) {
  sheets::PumpedWait(ms, GetTickCount64, ProcessPendingMessages);
}

void SetScreenUpdating(int32_t on) {
  sheets::SetScreenUpdating(App(), on);
}
int32_t SelectSheetByName(const std::u16string& name) {
  return sheets::SelectSheetByName(App(), name);
}
int32_t DeleteSelectedSheets() {
  return sheets::DeleteSelectedSheets(App());
}
int32_t AddSheetAfterLast(const std::u16string& name) {
  return sheets::AddSheetAfterLast(App(), name);
}
void SelectAllCells() {
  sheets::SelectAllCells(App());
}
void FormatSelectionAsText() {
  sheets::FormatSelectionAsText(App());
}
void SelectCell(int32_t row, int32_t column) {
  sheets::SelectCell(App(), row, column);
}
void PasteUnicodeText() {
  sheets::PasteUnicodeText(App());
}
int32_t SelectSheetByIndex(int32_t index) {
  return sheets::SelectSheetByIndex(App(), index);
}
