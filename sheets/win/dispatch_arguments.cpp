#include "sheets/win/dispatch_arguments.h"

#include "base/error.h"
#include "sheets/win/hresult_error.h"
#include "sheets/win/variant_value.h"

namespace {

using Kind = sheets::Argument::Kind;

// For the VARIANT that frees it.
BSTR NewBstr(const std::u16string& text) {
  Bstr b(text);
  if (!b.get()) ThrowIfFailed(E_OUTOFMEMORY);
  return b.release();
}

// Fills owned with the argument's value and returns what goes into DISPPARAMS for it.
VARIANTARG Lay(const sheets::Argument& argument, VARIANT& owned) {
  switch (argument.kind) {
    case Kind::kBool:
      owned.vt = VT_BOOL;
      owned.boolVal = argument.flag ? VARIANT_TRUE : VARIANT_FALSE;
      return owned;
    case Kind::kText:
      owned.bstrVal = NewBstr(argument.text);
      owned.vt = VT_BSTR;
      return owned;
    case Kind::kMissing:
      owned.vt = VT_ERROR;
      owned.scode = DISP_E_PARAMNOTFOUND;
      return owned;
    case Kind::kObject: {
      // VariantCopy only reads its source.
      auto& object = dynamic_cast<const VariantValue&>(*argument.object);
      ThrowIfFailed(VariantCopy(&owned, const_cast<VARIANT*>(object.get())));
      return owned;
    }
    case Kind::kTextByRef: {
      owned.bstrVal = NewBstr(argument.text);
      owned.vt = VT_BSTR;
      VARIANTARG passed;
      VariantInit(&passed);
      passed.vt = VT_BSTR | VT_BYREF;
      passed.pbstrVal = &owned.bstrVal;
      return passed;
    }
    case Kind::kInt32ByRef: {
      owned.vt = VT_I4;
      owned.lVal = argument.number;
      VARIANTARG passed;
      VariantInit(&passed);
      passed.vt = VT_I4 | VT_BYREF;
      passed.plVal = &owned.lVal;
      return passed;
    }
  }
  throw Error(HresultText(E_INVALIDARG));
}

}  // namespace

DispatchArguments::DispatchArguments(const std::vector<sheets::Argument>& arguments)
    : owned_(arguments.size()) {
  passed_.reserve(arguments.size());
  for (std::size_t i = arguments.size(); i-- > 0;) {
    passed_.push_back(Lay(arguments[i], *owned_[i].get()));
  }
}

DISPPARAMS DispatchArguments::Params(bool put) {
  return DISPPARAMS{passed_.data(), put ? &put_id_ : nullptr, static_cast<UINT>(passed_.size()),
                    put ? 1u : 0u};
}
