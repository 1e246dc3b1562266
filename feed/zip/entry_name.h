#pragma once
// From an entry's name bytes to the path it is written to.
#include <string>
#include <string_view>

// Strict UTF-8 or code page 437, then "/" as "\". Throws on a name that is not valid UTF-8.
std::u16string DecodeEntryName(std::string_view bytes, bool utf8);

// The folder, a backslash and the name confined to the folder: a root prefix is dropped and "."
// and ".." are resolved without ever climbing above the folder. A trailing backslash (a
// directory entry) is kept. Throws on characters no path may hold, on a component holding ":"
// and on a device name.
std::u16string EntryTargetPath(std::u16string_view folder, std::u16string_view name);
