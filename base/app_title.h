#pragma once
#include <string>
#include <string_view>

// The executable's file name without its folder, cut before its first full stop, every unit
// after the first in lower case: C:\x\Velmora.exe gives "Velmora", ZorudUdiv.exe "Zorududiv".
std::u16string ApplicationTitle(std::u16string_view executable_path);
