#include "standin/win/standin_window.h"

#include <windowsx.h>

#include <cstdio>
#include <utility>

#include "standin/win/dump_file.h"
#include "standin/win/sheet_painter.h"

namespace {

constexpr wchar_t kClassName[] = L"XLMAIN";
constexpr UINT_PTR kRunLaterTimer = 1;
constexpr WindowRect kFirstPlace{100, 100, 900, 600};

KeyMessage KeyMessageOf(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
      return KeyMessage::kDown;
    case WM_KEYUP:
      return KeyMessage::kUp;
    case WM_SYSKEYDOWN:
      return KeyMessage::kSysDown;
    default:
      return KeyMessage::kSysUp;
  }
}

}  // namespace

StandinWindow::StandinWindow(StandinState& state, std::u16string dump_path)
    : state_(state), dump_path_(std::move(dump_path)) {
  WNDCLASSEXW window_class{};
  // The tabs sit on the bottom edge: a new size repaints the whole window.
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kClassName;
  RegisterWindowClass(window_class);
  CreateTopWindow(0, kClassName, L"Book1 - Excel", WS_OVERLAPPEDWINDOW, kFirstPlace.left,
                  kFirstPlace.top, kFirstPlace.width, kFirstPlace.height,
                  GetModuleHandleW(nullptr));
  state_.window = window_;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

StandinWindow::~StandinWindow() {
  if (window_) DestroyWindow(window_);
}

void StandinWindow::RunLater(UINT delay_ms, std::function<void()> action) {
  later_ = std::move(action);
  SetTimer(window_, kRunLaterTimer, delay_ms, nullptr);
}

void StandinWindow::ClickTab(POINT point) {
  if (!state_.workbook) return;
  const auto sheet = TabAt(window_, point, *state_.workbook);
  if (!sheet) return;
  state_.workbook->Select(*sheet, true);
  state_.Changed();
}

void StandinWindow::OnUncaughtFailure(const std::exception& failure) {
  std::fprintf(stderr, "The stand-in's window failed: %s\n", failure.what());
}

LRESULT StandinWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      PaintWorkbook(window_, dc, state_.workbook ? &*state_.workbook : nullptr);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      state_.keys.push_back({KeyMessageOf(message), static_cast<std::uint32_t>(wparam)});
      break;
    case WM_LBUTTONDOWN:
      ClickTab({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case kWriteDumpMessage:
      WriteDumpFile(state_, dump_path_);
      return 1;
    case kWriteSummaryMessage:
      if (!dump_path_.empty()) WriteSummaryFile(state_, dump_path_ + u".summary");
      return 1;
    case WM_TIMER:
      if (wparam != kRunLaterTimer) break;
      KillTimer(window_, kRunLaterTimer);
      if (auto action = std::exchange(later_, nullptr)) action();
      return 0;
    case WM_CLOSE:
      WriteDumpFile(state_, dump_path_);
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      state_.window = nullptr;
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}
