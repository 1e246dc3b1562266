#include "standin/win/busy_filter.h"

#include <string>

#include "base/error.h"
#include "base/win/com.h"
#include "standin/win/dispatch_object.h"

namespace {

// IDispatch's methods by their place in its table.
constexpr WORD kGetIDsOfNamesMethod = 5;
constexpr WORD kInvokeMethod = 6;

std::string CalledMethod(const INTERFACEINFO& called) {
  ComPtr<DispatchObject> object;
  std::string name = "?";
  if (called.pUnk && SUCCEEDED(called.pUnk->QueryInterface(
                         kStandinObjectIid, reinterpret_cast<void**>(object.put())))) {
    name = object->kind();
  }
  switch (called.wMethod) {
    case kGetIDsOfNamesMethod:
      return name + ".GetIDsOfNames";
    case kInvokeMethod:
      return name + ".Invoke";
    default:
      return name + ".#" + std::to_string(called.wMethod);
  }
}

}  // namespace

class BusyFilterRegistration::Filter final : public IMessageFilter {
 public:
  explicit Filter(StandinState& state) : state_(state) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IMessageFilter) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO called) override {
    // Only automation calls: COM's own reference counting goes on as in a busy application.
    const bool automation = called && called->iid == IID_IDispatch;
    if (automation && state_.busy.form() == BusyForm::kRejected &&
        state_.RefusedAsBusy(CalledMethod(*called) + " rejected")) {
      return SERVERCALL_REJECTED;
    }
    return SERVERCALL_ISHANDLED;
  }
  // The stand-in makes no calls of its own.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return ~DWORD{0}; }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  StandinState& state_;
  ULONG references_ = 1;
};

BusyFilterRegistration::BusyFilterRegistration(StandinState& state) : filter_(new Filter(state)) {
  if (FAILED(CoRegisterMessageFilter(filter_, nullptr))) {
    filter_->Release();
    throw Error(u"The message filter cannot be registered");
  }
}

BusyFilterRegistration::~BusyFilterRegistration() {
  CoRegisterMessageFilter(nullptr, nullptr);
  filter_->Release();
}
