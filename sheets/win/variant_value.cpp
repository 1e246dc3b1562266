#include "sheets/win/variant_value.h"

#include "base/error.h"
#include "sheets/win/busy_refusal.h"
#include "sheets/win/dispatch_arguments.h"
#include "sheets/win/hresult_error.h"

namespace {

IDispatch* HeldObject(const VARIANT& value) {
  if (value.vt != VT_DISPATCH || !value.pdispVal) throw Error(HresultText(DISP_E_TYPEMISMATCH));
  return value.pdispVal;
}

// What a failed call reports, its strings owned from the moment they are complete.
struct CallFailure {
  HRESULT result;
  SCODE code = 0;  // the application's own, with DISP_E_EXCEPTION
  Bstr description;

  // The application's own description, else the system's text for its code.
  std::u16string Text() const {
    if (result != DISP_E_EXCEPTION) return HresultText(result);
    if (const UINT length = SysStringLen(description.get()); length > 0) {
      return std::u16string(reinterpret_cast<const char16_t*>(description.get()), length);
    }
    return HresultText(code ? code : result);
  }
};

// Takes over what the call left in the exception, filling in first what it deferred.
CallFailure Received(HRESULT result, EXCEPINFO& exception) {
  if (result == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) {
    exception.pfnDeferredFillIn(&exception);
  }
  const Bstr source = Bstr::Adopt(exception.bstrSource);
  const Bstr help_file = Bstr::Adopt(exception.bstrHelpFile);
  return {result, result == DISP_E_EXCEPTION ? exception.scode : 0,
          Bstr::Adopt(exception.bstrDescription)};
}

// Busy before anything else: the application then raised no error of its own.
[[noreturn]] void Throw(const CallFailure& failure) {
  if (IsBusyRefusal(failure.result, failure.code)) throw sheets::Busy(failure.Text());
  if (failure.result == DISP_E_EXCEPTION) throw sheets::Refused(failure.Text());
  throw Error(failure.Text());
}

}  // namespace

VariantValue::VariantValue(ComPtr<IDispatch> object) {
  if (!object) return;
  value_->vt = VT_DISPATCH;
  value_->pdispVal = object.get();
  value_->pdispVal->AddRef();
}

std::unique_ptr<sheets::Value> VariantValue::Invoke(const sheets::MemberCall& call) const {
  IDispatch* object = HeldObject(*value_.get());
  auto name = const_cast<LPOLESTR>(reinterpret_cast<const OLECHAR*>(call.name.c_str()));
  DISPID member = DISPID_UNKNOWN;
  // A busy application's message filter turns the name lookup away as well as the call.
  if (const HRESULT found = object->GetIDsOfNames(IID_NULL, &name, 1, GetThreadLocale(), &member);
      FAILED(found)) {
    Throw({found, 0, Bstr()});
  }

  DispatchArguments arguments(call.arguments);
  const bool put = call.kind == sheets::CallKind::kPut;
  DISPPARAMS params = arguments.Params(put);
  auto result = std::make_unique<VariantValue>();
  EXCEPINFO exception{};
  UINT argument_error = 0;
  const HRESULT hr =
      object->Invoke(member, IID_NULL, 0, static_cast<WORD>(call.kind), &params,
                     put ? nullptr : result->value_.get(), &exception, &argument_error);
  const CallFailure failure = Received(hr, exception);
  if (FAILED(hr)) Throw(failure);
  return result;
}

int32_t VariantValue::ToInt32() const {
  Variant number;
  // No hidden call of an object's default member: an object is simply not a number.
  ThrowIfFailed(VariantChangeType(number.get(), const_cast<VARIANT*>(value_.get()),
                                  VARIANT_NOVALUEPROP, VT_I4));
  return number->lVal;
}
