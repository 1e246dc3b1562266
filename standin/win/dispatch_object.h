#pragma once
// The hand-written IDispatch that every object kind of the stand-in shares: case-insensitive
// name lookup, the flag and argument-count checks the application makes, the call log, and the
// application's refusals turned into DISP_E_EXCEPTION with their description. As an
// IExternalConnection it counts the references COM reports clients holding on it.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <optional>
#include <span>
#include <string_view>

#include "standin/core/workbook.h"
#include "standin/win/call_arguments.h"
#include "standin/win/standin_state.h"

// Answers only inside the stand-in: it turns an object passed back as an argument into ours.
inline constexpr IID kStandinObjectIid = {
    0x6b1f3c52, 0x94d0, 0x4e7a, {0x8c, 0x41, 0x2f, 0x5e, 0x90, 0x17, 0xa3, 0xd6}};

enum class Access { kGet, kGetPut, kMethod };
enum class CallKind { kGet, kPut, kMethod };

struct Member {
  std::u16string_view name;  // canonical, as the log shows it
  DISPID id;
  Access access;
  std::size_t min_args;
  std::size_t max_args;
};

class DispatchObject : public IDispatch, public IExternalConnection {
 public:
  // name: the object's kind, as the log shows it; members: its table, kept by the caller.
  DispatchObject(StandinState& state, std::string_view name, std::span<const Member> members)
      : state_(state), name_(name), members_(members) {}
  virtual ~DispatchObject() = default;
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  // The object's kind, as the log shows it.
  std::string_view kind() const { return name_; }
  // The sheet this object is, if it is one.
  virtual std::optional<SheetId> AsSheet() const { return std::nullopt; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;
  DWORD STDMETHODCALLTYPE AddConnection(DWORD kind, DWORD) override;
  DWORD STDMETHODCALLTYPE ReleaseConnection(DWORD kind, DWORD, BOOL) override;

 protected:
  // Throws Error for the application's refusals and DispatchFailure for malformed calls.
  virtual void Call(const Member& member, CallKind kind, const CallArguments& arguments,
                    VARIANT& result) = 0;

  StandinState& state_;

 private:
  const Member* Find(DISPID id) const;
  std::string_view name_;
  std::span<const Member> members_;
  ULONG references_ = 1;
};

// Hands the new object, with its one reference, to the result.
void SetResult(VARIANT& result, DispatchObject* object);
void SetResult(VARIANT& result, bool value);
void SetResult(VARIANT& result, std::int32_t value);
void SetResult(VARIANT& result, const std::u16string& value);

// A boolean setting of the application: get reads it, put records it.
void GetOrPut(CallKind kind, const CallArguments& arguments, VARIANT& result, bool& setting);
