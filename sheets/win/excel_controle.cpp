#include "sheets/win/excel_controle.h"

#include <windows.h>

#include <memory>

#include "base/win/shell_services.h"
#include "sheets/connection.h"
#include "sheets/win/hresult_error.h"
#include "sheets/win/variant_value.h"

namespace {

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

sheets::Excel RunningExcel() {
  return sheets::Excel({.wait = PumpedWait, .now = GetTickCount64, .attach = AttachRunningExcel},
                       std::make_unique<VariantValue>());
}

void PumpedWait(uint32_t ms) {
  sheets::PumpedWait(ms, GetTickCount64, ProcessPendingMessages);
}
