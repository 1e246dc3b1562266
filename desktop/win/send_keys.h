#pragma once
// Types a key string into whichever window has the keyboard focus (see desktop/key_string.h for
// the language). Returns when the last key event has been injected; always true.
#include <string_view>

bool SendKeys(std::u16string_view keys);
