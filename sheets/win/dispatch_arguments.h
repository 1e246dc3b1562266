#pragma once
// The positional arguments of one late-bound call, laid out as DISPPARAMS wants them.
#include <windows.h>  // before com.h, which needs it

#include <vector>

#include "base/win/com.h"
#include "sheets/automation.h"

class DispatchArguments {
 public:
  explicit DispatchArguments(const std::vector<sheets::Argument>& arguments);
  DispatchArguments(const DispatchArguments&) = delete;
  DispatchArguments& operator=(const DispatchArguments&) = delete;

  // Valid while this object lives; a put's value goes as the one named DISPID_PROPERTYPUT.
  DISPPARAMS Params(bool put);

 private:
  // What is passed by reference lives here; the callee may replace a BSTR, and whatever is
  // here at the end is freed.
  std::vector<Variant> owned_;
  std::vector<VARIANTARG> passed_;  // last argument first
  DISPID put_id_ = DISPID_PROPERTYPUT;
};
