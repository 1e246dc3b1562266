#include "sheets/win/busy_refusal.h"

namespace {
bool IsBusyCode(HRESULT code) {
  return code == RPC_E_CALL_REJECTED || code == RPC_E_SERVERCALL_RETRYLATER || code == kVbaIgnore;
}
}  // namespace

bool IsBusyRefusal(HRESULT result, SCODE exception_code) {
  if (result == DISP_E_EXCEPTION) return IsBusyCode(exception_code);
  return IsBusyCode(result);
}
