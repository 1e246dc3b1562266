#include "standin/win/call_arguments.h"

#include "base/win/wide.h"
#include "standin/win/dispatch_object.h"

CallArguments::CallArguments(const DISPPARAMS& params, bool put)
    : params_(params), positional_(params.cArgs - (put ? 1 : 0)) {}

UINT CallArguments::Slot(std::size_t i) const {
  return i == kPutValue ? 0 : static_cast<UINT>(params_.cArgs - 1 - i);
}

void CallArguments::Convert(std::size_t i, VARTYPE type, Variant& value) const {
  const UINT slot = Slot(i);
  if (FAILED(VariantCopyInd(value.get(), &params_.rgvarg[slot])) ||
      FAILED(VariantChangeType(value.get(), value.get(), 0, type))) {
    throw DispatchFailure{DISP_E_TYPEMISMATCH, slot};
  }
}

bool CallArguments::Missing(std::size_t i) const {
  if (i != kPutValue && i >= positional_) return true;
  Variant value;
  VariantCopyInd(value.get(), &params_.rgvarg[Slot(i)]);
  return value->vt == VT_ERROR && value->scode == DISP_E_PARAMNOTFOUND;
}

bool CallArguments::IsText(std::size_t i) const {
  Variant value;
  VariantCopyInd(value.get(), &params_.rgvarg[Slot(i)]);
  return value->vt == VT_BSTR;
}

std::u16string CallArguments::Text(std::size_t i) const {
  Variant value;
  Convert(i, VT_BSTR, value);
  return FromWide(value->bstrVal, SysStringLen(value->bstrVal));
}

std::int32_t CallArguments::Int(std::size_t i) const {
  Variant value;
  Convert(i, VT_I4, value);
  return value->lVal;
}

bool CallArguments::Bool(std::size_t i) const {
  Variant value;
  Convert(i, VT_BOOL, value);
  return value->boolVal != VARIANT_FALSE;
}

std::u16string CallArguments::TextOr(std::size_t i, std::u16string_view fallback) const {
  return Missing(i) ? std::u16string(fallback) : Text(i);
}

std::int32_t CallArguments::IntOr(std::size_t i, std::int32_t fallback) const {
  return Missing(i) ? fallback : Int(i);
}

bool CallArguments::BoolOr(std::size_t i, bool fallback) const {
  return Missing(i) ? fallback : Bool(i);
}

DispatchObject& CallArguments::Object(std::size_t i) const {
  Variant value;
  Convert(i, VT_UNKNOWN, value);
  ComPtr<DispatchObject> object;
  if (!value->punkVal || FAILED(value->punkVal->QueryInterface(
                             kStandinObjectIid, reinterpret_cast<void**>(object.put())))) {
    throw DispatchFailure{DISP_E_TYPEMISMATCH, Slot(i)};
  }
  // The caller's argument keeps the object alive for the whole call.
  return *object.get();
}
