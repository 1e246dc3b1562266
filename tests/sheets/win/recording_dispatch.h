#pragma once
// An in-process automation object that records what each late-bound call sends it: names and
// their lookup locale, flags, argument VARTYPEs and values, named arguments and call locale.
// Every call gives back the object itself unless a result is set for the member.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

class RecordingDispatch final : public IDispatch {
 public:
  RecordingDispatch();
  RecordingDispatch(const RecordingDispatch&) = delete;
  RecordingDispatch& operator=(const RecordingDispatch&) = delete;
  ~RecordingDispatch();

  // "<member> flags=<n> args=<vartype hex>:<value>,... named=<dispids>"
  std::vector<std::string> calls;
  std::vector<LCID> lookup_locales;
  std::vector<LCID> call_locales;
  ULONG references = 1;  // the test's own

  std::map<std::u16string, VARIANT> results;  // owned; cleared at the end
  std::u16string failing_member;              // fails with failure_result
  HRESULT failure_result = DISP_E_EXCEPTION;  // anything else goes without EXCEPINFO
  SCODE failure_code = DISP_E_TYPEMISMATCH;   // the EXCEPINFO's scode
  bool failure_code_deferred = false;         // filled in only when the caller asks for it
  std::u16string failure_description;         // its EXCEPINFO description; none when empty
  std::u16string unknown_member;              // its name lookup fails with lookup_failure
  HRESULT lookup_failure = DISP_E_UNKNOWNNAME;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

 private:
  static HRESULT STDAPICALLTYPE FillInDeferred(EXCEPINFO* exception);
  static SCODE deferred_code_;         // what FillInDeferred fills in
  std::vector<std::u16string> names_;  // DISPID n is names_[n - 1]
};
