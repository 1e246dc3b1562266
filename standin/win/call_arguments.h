#pragma once
// The arguments of one automation call, read and converted as the application converts them:
// by-reference values are accepted wherever a value is, a VT_ERROR DISP_E_PARAMNOTFOUND is a
// missing optional argument, and what cannot be converted fails with DISP_E_TYPEMISMATCH.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/win/com.h"

class DispatchObject;

// A call that fails before the application looks at it (no such member, wrong argument count or
// type); the application's own refusals are thrown as Error.
struct DispatchFailure {
  HRESULT code;
  UINT argument = 0;  // index into rgvarg, for DISP_E_TYPEMISMATCH
};

class CallArguments {
 public:
  static constexpr std::size_t kPutValue = static_cast<std::size_t>(-1);

  // put: the last argument (rgvarg[0]) is the value put, the rest are positional.
  CallArguments(const DISPPARAMS& params, bool put);
  std::size_t count() const { return positional_; }

  // i: a positional index, first argument first, or kPutValue.
  bool Missing(std::size_t i) const;
  bool IsText(std::size_t i) const;
  std::u16string Text(std::size_t i) const;
  std::int32_t Int(std::size_t i) const;
  bool Bool(std::size_t i) const;
  // One of the stand-in's own objects, else a type mismatch.
  DispatchObject& Object(std::size_t i) const;
  // The optional argument, or the fallback where it is missing.
  std::u16string TextOr(std::size_t i, std::u16string_view fallback) const;
  std::int32_t IntOr(std::size_t i, std::int32_t fallback) const;
  bool BoolOr(std::size_t i, bool fallback) const;

 private:
  UINT Slot(std::size_t i) const;
  void Convert(std::size_t i, VARTYPE type, Variant& value) const;

  const DISPPARAMS& params_;
  std::size_t positional_;
};
