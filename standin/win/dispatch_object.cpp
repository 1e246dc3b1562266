#include "standin/win/dispatch_object.h"

#include <exception>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/utf.h"
#include "base/win/com.h"
#include "base/win/wide.h"

namespace {

// The application's own code for a refused call, as its automation clients see it.
constexpr SCODE kApplicationError = static_cast<SCODE>(0x800A03EC);
// What a busy application's object answers when the call gets past its message filter.
constexpr SCODE kVbaIgnore = static_cast<SCODE>(0x800AC472);

std::u16string FailureName(HRESULT code) {
  switch (code) {
    case DISP_E_MEMBERNOTFOUND:
      return u"DISP_E_MEMBERNOTFOUND";
    case DISP_E_BADPARAMCOUNT:
      return u"DISP_E_BADPARAMCOUNT";
    case DISP_E_TYPEMISMATCH:
      return u"DISP_E_TYPEMISMATCH";
    case DISP_E_PARAMNOTFOUND:
      return u"DISP_E_PARAMNOTFOUND";
    case DISP_E_NONAMEDARGS:
      return u"DISP_E_NONAMEDARGS";
    case DISP_E_UNKNOWNINTERFACE:
      return u"DISP_E_UNKNOWNINTERFACE";
    default:
      return u"E_FAIL";
  }
}

CallKind CheckedKind(const Member& member, WORD flags, const DISPPARAMS& params) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (member.access != Access::kGetPut) throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
    if (params.cNamedArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
      throw DispatchFailure{DISP_E_PARAMNOTFOUND};
    }
    if (params.cArgs != 1) throw DispatchFailure{DISP_E_BADPARAMCOUNT};
    return CallKind::kPut;
  }
  // A property may be read as a method, as the application's clients do; a method may not be
  // read as a property.
  const bool method = member.access == Access::kMethod;
  if (!(flags & (method ? DISPATCH_METHOD : DISPATCH_METHOD | DISPATCH_PROPERTYGET))) {
    throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
  }
  if (params.cNamedArgs != 0) throw DispatchFailure{DISP_E_NONAMEDARGS};
  if (params.cArgs < member.min_args || params.cArgs > member.max_args) {
    throw DispatchFailure{DISP_E_BADPARAMCOUNT};
  }
  return method ? CallKind::kMethod : CallKind::kGet;
}

void FillException(EXCEPINFO* exception, const std::u16string& description,
                   SCODE code = kApplicationError) {
  if (!exception) return;
  *exception = {};
  exception->bstrSource = Bstr(u"Excel").release();
  exception->bstrDescription = Bstr(description).release();
  exception->scode = code;
}

// The text arguments' values, first argument first, for the log.
std::vector<std::u16string> TextsOf(const DISPPARAMS& call) {
  std::vector<std::u16string> texts;
  for (UINT i = call.cArgs; i-- > 0;) {
    const VARIANT& argument = call.rgvarg[i];
    const BSTR* text = argument.vt == VT_BSTR                ? &argument.bstrVal
                       : argument.vt == (VT_BSTR | VT_BYREF) ? argument.pbstrVal
                                                             : nullptr;
    if (text) texts.push_back(FromWide(*text, SysStringLen(*text)));
  }
  return texts;
}

}  // namespace

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kStandinObjectIid) {
    *object = static_cast<IDispatch*>(this);
  } else if (iid == IID_IExternalConnection) {
    *object = static_cast<IExternalConnection*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG DispatchObject::AddRef() {
  return ++references_;
}

ULONG DispatchObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

DWORD DispatchObject::AddConnection(DWORD kind, DWORD) {
  if (kind & EXTCONN_STRONG) ++state_.client_references;
  return 0;
}

DWORD DispatchObject::ReleaseConnection(DWORD kind, DWORD, BOOL) {
  if (kind & EXTCONN_STRONG) --state_.client_references;
  return 0;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT status = S_OK;
  for (UINT i = 0; i < count; ++i) {
    state_.log.Write(LookupLine(FromWide(names[i])));
    state_.busy.Answered(FromWide(names[i]), GetTickCount64());
    ids[i] = DISPID_UNKNOWN;
    // Only the member itself is known by name; its arguments are positional.
    for (const Member& member : members_) {
      if (i == 0 && CompareStringOrdinal(names[i], -1, AsWide(std::u16string(member.name)), -1,
                                         TRUE) == CSTR_EQUAL) {
        ids[i] = member.id;
      }
    }
    if (ids[i] == DISPID_UNKNOWN) status = DISP_E_UNKNOWNNAME;
  }
  return status;
}

const Member* DispatchObject::Find(DISPID id) const {
  for (const Member& member : members_) {
    if (member.id == id) return &member;
  }
  return nullptr;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argument_error) {
  const DISPPARAMS none{};
  const DISPPARAMS& call = params ? *params : none;
  const Member* member = Find(id);
  std::vector<std::uint16_t> types;
  for (UINT i = call.cArgs; i-- > 0;) types.push_back(call.rgvarg[i].vt);
  std::string member_name = member ? Utf16ToUtf8(member->name) : "#";
  if (!member) member_name += std::to_string(id);
  state_.log.Write(InvokeLine(name_, member_name, flags, types, call.cNamedArgs));
  if (const auto texts = TextsOf(call); !texts.empty()) state_.log.Write(TextsLine(texts));
  const auto fail = [&](HRESULT code, const std::u16string& description) {
    state_.log.Write(ErrorLine(description));
    return code;
  };
  // The busy forms that reach the object; the message filter answers the other one.
  switch (state_.busy.form()) {
    case BusyForm::kRejected:
      break;
    case BusyForm::kRetryLater:
      if (state_.RefusedAsBusy("retrylater")) return RPC_E_SERVERCALL_RETRYLATER;
      break;
    case BusyForm::kIgnore:
      if (state_.RefusedAsBusy("ignore")) {
        FillException(exception, u"", kVbaIgnore);
        return DISP_E_EXCEPTION;
      }
      break;
  }
  try {
    if (iid != IID_NULL) throw DispatchFailure{DISP_E_UNKNOWNINTERFACE};
    if (!member) throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
    const CallKind kind = CheckedKind(*member, flags, call);
    Variant value;
    Call(*member, kind, CallArguments(call, kind == CallKind::kPut), *value.get());
    if (result) {
      *result = *value.get();
      value->vt = VT_EMPTY;  // handed over
    }
    state_.Changed();
    return S_OK;
  } catch (const Error& error) {
    FillException(exception, error.text());
    return fail(DISP_E_EXCEPTION, error.text());
  } catch (const DispatchFailure& failure) {
    if (argument_error && failure.code == DISP_E_TYPEMISMATCH) *argument_error = failure.argument;
    return fail(failure.code, FailureName(failure.code));
  } catch (const std::exception&) {
    return fail(E_FAIL, FailureName(E_FAIL));
  }
}

void SetResult(VARIANT& result, DispatchObject* object) {
  VariantClear(&result);
  result.vt = VT_DISPATCH;
  result.pdispVal = object;
}

void SetResult(VARIANT& result, bool value) {
  VariantClear(&result);
  result.vt = VT_BOOL;
  result.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetResult(VARIANT& result, std::int32_t value) {
  VariantClear(&result);
  result.vt = VT_I4;
  result.lVal = value;
}

void SetResult(VARIANT& result, const std::u16string& value) {
  VariantClear(&result);
  result.vt = VT_BSTR;
  result.bstrVal = Bstr(value).release();
}

void GetOrPut(CallKind kind, const CallArguments& arguments, VARIANT& result, bool& setting) {
  if (kind == CallKind::kPut) {
    setting = arguments.Bool(CallArguments::kPutValue);
  } else {
    SetResult(result, setting);
  }
}
