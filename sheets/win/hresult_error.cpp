#include "sheets/win/hresult_error.h"

#include <cstdio>

#include "base/error.h"
#include "base/win/system_error_text.h"

std::u16string HresultText(HRESULT result) {
  std::u16string text = SystemErrorText(static_cast<DWORD>(result));
  if (text.empty()) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(result));
    text.assign(hex, hex + std::char_traits<char>::length(hex));
  }
  return text;
}

void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw Error(HresultText(result));
}
