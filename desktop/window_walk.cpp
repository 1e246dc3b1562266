#include "desktop/window_walk.h"

namespace {
// An empty text occurs nowhere, not even at the start.
bool Contains(std::u16string_view caption, std::u16string_view text) {
  return !text.empty() && caption.find(text) != std::u16string_view::npos;
}
bool BeginsWith(std::u16string_view caption, std::u16string_view text) {
  return !text.empty() && caption.starts_with(text);
}

bool CaptionPasses(std::u16string_view caption, std::u16string_view text, std::int32_t mode) {
  switch (mode) {
    case kCaptionEquals:
      return caption == text;
    case kCaptionBeginsWith:
    case kCaptionBeginsWithQuietly:
      return BeginsWith(caption, text);
    case kCaptionContains:
      return Contains(caption, text);
    default:
      return false;
  }
}
}  // namespace

WindowId FindTopWindowIn(WindowSystem& windows, std::u16string_view text,
                         std::u16string_view exclude1, std::u16string_view exclude2,
                         std::int32_t mode) {
  WindowId window = windows.First();
  if (window == kNoWindow) return kNoWindow;
  for (int remaining = kWalkLimit;;) {
    const std::u16string caption = windows.Caption(window, kCaptionBufferUnits);
    if (CaptionPasses(caption, text, mode) && !Contains(caption, exclude1) &&
        !Contains(caption, exclude2) && windows.IsWindow(window)) {
      if (mode != kCaptionBeginsWithQuietly) windows.Activate(window);
      return window;
    }
    if (!windows.IsWindow(window)) return kNoWindow;  // gone while we looked
    window = windows.Next(window);
    if (window == kNoWindow) return kNoWindow;
    if (--remaining == 0) return kWalkLimitReached;
  }
}
