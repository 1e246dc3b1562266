#pragma once
#include <windows.h>

#include <string>

// The system's message for an error code, in the system's own language, without the trailing
// line breaks, spaces and full stops that the message table puts there.
std::u16string SystemErrorText(DWORD code);
inline std::u16string LastErrorText() {
  return SystemErrorText(GetLastError());
}
