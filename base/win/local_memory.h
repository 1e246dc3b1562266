#pragma once
// Owner of memory that a system call allocated for its caller with LocalAlloc (FormatMessage's
// text, CommandLineToArgvW's list), freed on every path.
#include <windows.h>

#include "base/win/unique_handle.h"

template <typename Pointer>
struct LocalMemoryTraits {
  using Value = Pointer;
  static Value Invalid() { return nullptr; }
  static void Close(Value value) { LocalFree(value); }
};

template <typename Element>
using UniqueLocalMemory = UniqueResource<LocalMemoryTraits<Element*>>;
