#pragma once
#include <string>

// The full path of this process's executable, however long; empty when the system cannot
// tell it.
std::u16string ExecutablePath();
