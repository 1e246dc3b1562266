#pragma once
// Real top-level windows for the tests, recording the keys and right clicks they are sent.
#include <windows.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class TestWindow {
 public:
  TestWindow(const wchar_t* caption, RECT rect, bool visible = true,
             DWORD style = WS_OVERLAPPEDWINDOW);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND get() const { return handle_; }
  RECT Rect() const;
  // Raises the window to the top of the Z order without activating it.
  void Raise() const;

  // (message, virtual key) for key messages, (message, 0) for right-button messages.
  std::vector<std::pair<UINT, WPARAM>> received;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  HWND handle_ = nullptr;
};

// Hidden, as the tool's application window is, where the walk starts.
class TestApplicationWindow : public TestWindow {
 public:
  TestApplicationWindow() : TestWindow(L"Desktop tests", {0, 0, 10, 10}, false) {}
};

inline std::array<LONG, 4> Corners(RECT rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// Processes this thread's messages until the condition holds, or for 30 s at the most (a limit
// only a fault reaches); gives the condition.
bool PumpMessagesUntil(const std::function<bool()>& condition);
