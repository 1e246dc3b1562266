#include "tests/sheets/win/recording_dispatch.h"

#include <cstdio>

#include "base/utf.h"

namespace {

std::string Hex(unsigned long number, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*lx", width, number);
  return text;
}

std::u16string Utf16(const BSTR text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

std::string Describe(const VARIANTARG& argument, const IDispatch* self) {
  std::string text = Hex(argument.vt, 4) + ":";
  switch (argument.vt) {
    case VT_BOOL:
      return text + std::to_string(argument.boolVal);
    case VT_BSTR:
      return text + Utf16ToUtf8(Utf16(argument.bstrVal));
    case VT_BSTR | VT_BYREF:
      return text + Utf16ToUtf8(Utf16(*argument.pbstrVal));
    case VT_I4 | VT_BYREF:
      return text + std::to_string(*argument.plVal);
    case VT_ERROR:
      return text + Hex(static_cast<unsigned long>(argument.scode), 8);
    case VT_DISPATCH:
      return text + (argument.pdispVal == self ? "self" : "other");
    default:
      return text + "?";
  }
}

}  // namespace

SCODE RecordingDispatch::deferred_code_ = 0;

HRESULT STDAPICALLTYPE RecordingDispatch::FillInDeferred(EXCEPINFO* exception) {
  exception->scode = deferred_code_;
  exception->pfnDeferredFillIn = nullptr;
  return S_OK;
}

RecordingDispatch::RecordingDispatch() = default;

RecordingDispatch::~RecordingDispatch() {
  for (auto& [name, result] : results) VariantClear(&result);
}

HRESULT RecordingDispatch::QueryInterface(REFIID iid, void** object) {
  if (iid != IID_IUnknown && iid != IID_IDispatch) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

HRESULT RecordingDispatch::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT RecordingDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                         DISPID* ids) {
  lookup_locales.push_back(locale);
  if (count != 1) return E_INVALIDARG;
  const std::u16string name(reinterpret_cast<const char16_t*>(names[0]));
  if (name == unknown_member) {
    ids[0] = DISPID_UNKNOWN;
    return lookup_failure;
  }
  names_.push_back(name);
  ids[0] = static_cast<DISPID>(names_.size());
  return S_OK;
}

HRESULT RecordingDispatch::Invoke(DISPID member, REFIID, LCID locale, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT*) {
  if (member < 1 || static_cast<std::size_t>(member) > names_.size()) return DISP_E_MEMBERNOTFOUND;
  const std::u16string& name = names_[member - 1];
  call_locales.push_back(locale);
  std::string line = Utf16ToUtf8(name) + " flags=" + std::to_string(flags) + " args=";
  for (UINT i = params->cArgs; i-- > 0;) {
    line += Describe(params->rgvarg[i], this);
    if (i) line += ',';
  }
  line += " named=";
  for (UINT i = 0; i < params->cNamedArgs; ++i)
    line += std::to_string(params->rgdispidNamedArgs[i]);
  calls.push_back(line);

  if (name == failing_member) {
    if (failure_result != DISP_E_EXCEPTION) return failure_result;
    *exception = EXCEPINFO{};
    if (failure_code_deferred) {
      deferred_code_ = failure_code;
      exception->pfnDeferredFillIn = FillInDeferred;
    } else {
      exception->scode = failure_code;
    }
    if (!failure_description.empty()) {
      exception->bstrDescription =
          SysAllocString(reinterpret_cast<const OLECHAR*>(failure_description.c_str()));
    }
    exception->bstrSource = SysAllocString(L"test");
    return DISP_E_EXCEPTION;
  }
  if (!result) return S_OK;
  if (const auto given = results.find(name); given != results.end()) {
    return VariantCopy(result, &given->second);
  }
  result->vt = VT_DISPATCH;
  result->pdispVal = this;
  AddRef();
  return S_OK;
}
