#include "tests/desktop/win/test_window.h"

#include "base/win/shell_services.h"

namespace {
constexpr wchar_t kClassName[] = L"DesktopTestWindow";
constexpr ULONGLONG kPumpLimitMs = 30000;
constexpr DWORD kPumpPauseMs = 10;

void RegisterOnce(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kClassName;
    return RegisterClassW(&window_class);
  }();
  (void)atom;
}

bool IsRecorded(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
      return true;
    default:
      return false;
  }
}
}  // namespace

TestWindow::TestWindow(const wchar_t* caption, RECT rect, bool visible, DWORD style) {
  RegisterOnce(&TestWindow::Procedure);
  handle_ =
      CreateWindowExW(0, kClassName, caption, style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (visible) ShowWindow(handle_, SW_SHOWNOACTIVATE);
  PumpMessagesUntil([this, visible] { return (IsWindowVisible(handle_) != FALSE) == visible; });
}

TestWindow::~TestWindow() {
  DestroyWindow(handle_);
}

RECT TestWindow::Rect() const {
  RECT rect{};
  GetWindowRect(handle_, &rect);
  return rect;
}

void TestWindow::Raise() const {
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && IsRecorded(message)) {
    const bool key = message == WM_KEYDOWN || message == WM_KEYUP;
    self->received.emplace_back(message, key ? wparam : 0);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool PumpMessagesUntil(const std::function<bool()>& condition) {
  const ULONGLONG limit = GetTickCount64() + kPumpLimitMs;
  for (;;) {
    ProcessPendingMessages();
    if (condition()) return true;
    if (GetTickCount64() > limit) return false;
    Sleep(kPumpPauseMs);
  }
}
