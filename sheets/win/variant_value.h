#pragma once
// A VARIANT as the sheet operations see it: member calls on it go late-bound through IDispatch.
#include <windows.h>  // before com.h, which needs it

#include <memory>

#include "base/win/com.h"
#include "sheets/automation.h"

class VariantValue final : public sheets::Value {
 public:
  VariantValue() = default;  // empty: holds no automation object
  explicit VariantValue(ComPtr<IDispatch> object);

  std::unique_ptr<sheets::Value> Invoke(const sheets::MemberCall& call) const override;
  int32_t ToInt32() const override;
  const VARIANT* get() const { return value_.get(); }

 private:
  Variant value_;
};
