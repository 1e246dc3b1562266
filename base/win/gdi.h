#pragma once
// Owner of a GDI object (font, brush, pen), deleted on every path.
#include <windows.h>

#include "base/win/unique_handle.h"

template <typename Object>
struct GdiObjectTraits {
  using Value = Object;
  static Value Invalid() { return nullptr; }
  static void Close(Value value) { DeleteObject(value); }
};

using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;

// Selects an object into a device context for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
