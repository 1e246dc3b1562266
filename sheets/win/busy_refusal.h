#pragma once
// How a busy Excel turns a call away: the message filter's rejection, its "retry later", or the
// object model's own "ignored" error.
#include <windows.h>
// after windows.h
#include <oleauto.h>

// Excel's VBA_E_IGNORE; no Windows header names it.
inline constexpr HRESULT kVbaIgnore = static_cast<HRESULT>(0x800AC472);

// result: what the call returned; exception_code: the scode of the exception it raised, 0 when
// it raised none. Excel reports the same refusal in either place.
bool IsBusyRefusal(HRESULT result, SCODE exception_code);
