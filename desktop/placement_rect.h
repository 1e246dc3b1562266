#pragma once
// Where the spreadsheet window goes at the end of a run, and where its title bar is clicked.
#include <cstdint>

struct Placement {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
};

struct ScreenPoint {
  std::int32_t x;
  std::int32_t y;
};

// The top offset that leaves the margin all round.
inline constexpr std::int32_t kMarginAllRound = 0;

// What follows the placement: nothing, a right-click on the title bar, or an Escape key.
inline constexpr std::int32_t kNothingAfterPlacing = 0;
inline constexpr std::int32_t kRightClickTitleBar = 1;
inline constexpr std::int32_t kSendEscape = 2;

// Top offset 0 leaves a 20-pixel margin all round; any other offset keeps the height of the
// 20-pixel top margin alone, so the window reaches below the screen by the difference.
Placement PlacementFor(std::int32_t top, std::int32_t screen_width, std::int32_t screen_height);

// Halfway across the outer rectangle, 14 pixels below its top edge.
ScreenPoint TitleBarPoint(std::int32_t left, std::int32_t top, std::int32_t right);
