#pragma once
// Where the main window goes when it is shown: centred horizontally, its centre a third of the
// way down the primary screen. Integer division truncates toward zero, as the layout was made.
struct FormPosition {
  int left;
  int top;
};

constexpr FormPosition FormShowPosition(int screen_width, int screen_height, int window_width,
                                        int window_height) {
  return {screen_width / 2 - window_width / 2, screen_height / 3 - window_height / 2};
}
