#pragma once
// Owner of a window that no object of ours stands behind, destroyed on every path (on the
// thread that created it).
#include <windows.h>

#include "base/win/unique_handle.h"

struct WindowTraits {
  using Value = HWND;
  static Value Invalid() { return nullptr; }
  static void Close(Value value) { DestroyWindow(value); }
};
using UniqueWindow = UniqueResource<WindowTraits>;
