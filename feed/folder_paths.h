#pragma once
// Path rules of the working folder that need no file system.
#include <string>
#include <string_view>

// The path up to and including its last backslash; empty without one.
std::u16string FolderOfPath(std::u16string_view path);

// Without the leading and trailing units at or below U+0020 (spaces and control characters).
std::u16string_view TrimmedPath(std::u16string_view path);
