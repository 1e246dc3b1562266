#pragma once
// The search of the desktop's top-level windows by caption, over a small view of the window
// system so that it runs anywhere.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "desktop/caption_match.h"

using WindowId = std::uintptr_t;  // a window handle's value
inline constexpr WindowId kNoWindow = 0;
inline constexpr WindowId kWalkLimitReached = ~WindowId{0};  // -1
inline constexpr std::size_t kCaptionBufferUnits = 100;      // with its terminating null
inline constexpr int kWalkLimit = 30000;

// Its calls do not throw: a window gone is answered as one, by IsWindow false or Next kNoWindow.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual WindowId First() = 0;  // the top of the Z order
  virtual WindowId Next(WindowId window) = 0;
  // The caption as read into a buffer of that many units, null included, up to its first null.
  virtual std::u16string Caption(WindowId window, std::size_t buffer_units) = 0;
  virtual bool IsWindow(WindowId window) = 0;
  // Bring to the foreground, and restore without activating if minimised.
  virtual void Activate(WindowId window) = 0;
};

// mode: one of desktop/caption_match.h, the case of letters counting; an empty text is found only
// by kCaptionEquals, in an empty caption. A caption holding a non-empty exclusion text is passed
// over. Gives the first match from the top, kNoWindow, or kWalkLimitReached when kWalkLimit
// windows were examined and more follow.
WindowId FindTopWindowIn(WindowSystem& windows, std::u16string_view text,
                         std::u16string_view exclude1, std::u16string_view exclude2,
                         std::int32_t mode);
