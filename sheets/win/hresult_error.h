#pragma once
#include <windows.h>

#include <string>

// The system's text for an HRESULT; the code in hex where the system has none.
std::u16string HresultText(HRESULT result);

// Raises Error with that text when the result is a failure.
void ThrowIfFailed(HRESULT result);
