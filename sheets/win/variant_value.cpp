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

// Owns the strings that a failing call hands back.
struct ExceptionInfo {
  EXCEPINFO info{};
  ExceptionInfo() = default;
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  ~ExceptionInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
  // The application's own description, else the system's text for its code.
  std::u16string Text(HRESULT result) const {
    if (result != DISP_E_EXCEPTION) return HresultText(result);
    if (info.bstrDescription && SysStringLen(info.bstrDescription) > 0) {
      return std::u16string(reinterpret_cast<const char16_t*>(info.bstrDescription),
                            SysStringLen(info.bstrDescription));
    }
    return HresultText(info.scode ? info.scode : result);
  }
};

// Busy before anything else: the application then raised no error of its own.
[[noreturn]] void ThrowCallFailure(HRESULT result, ExceptionInfo& exception) {
  if (result == DISP_E_EXCEPTION && exception.info.pfnDeferredFillIn) {
    exception.info.pfnDeferredFillIn(&exception.info);
  }
  const SCODE code = result == DISP_E_EXCEPTION ? exception.info.scode : 0;
  if (IsBusyRefusal(result, code)) throw sheets::Busy(exception.Text(result));
  if (result == DISP_E_EXCEPTION) throw sheets::Refused(exception.Text(result));
  throw Error(exception.Text(result));
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
    ExceptionInfo none;
    ThrowCallFailure(found, none);
  }

  DispatchArguments arguments(call.arguments);
  const bool put = call.kind == sheets::CallKind::kPut;
  DISPPARAMS params = arguments.Params(put);
  auto result = std::make_unique<VariantValue>();
  ExceptionInfo exception;
  UINT argument_error = 0;
  const HRESULT hr =
      object->Invoke(member, IID_NULL, 0, static_cast<WORD>(call.kind), &params,
                     put ? nullptr : result->value_.get(), &exception.info, &argument_error);
  if (FAILED(hr)) ThrowCallFailure(hr, exception);
  return result;
}

int32_t VariantValue::ToInt32() const {
  Variant number;
  // No hidden call of an object's default member: an object is simply not a number.
  ThrowIfFailed(VariantChangeType(number.get(), const_cast<VARIANT*>(value_.get()),
                                  VARIANT_NOVALUEPROP, VT_I4));
  return number->lVal;
}
