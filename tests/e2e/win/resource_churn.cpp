// A process whose GDI objects, windows and private memory a test sets, to check the figures that
// process_resources reads from outside.
//   resource_churn N
// Its window (class "ResourceChurn") takes WM_APP+1: make N brushes, N child windows, N
// message-only windows and N committed, touched megabytes, then say "made"; WM_APP+2: free
// them all, then say "freed". It says "ready" once its window exists.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

constexpr UINT kMake = WM_APP + 1;
constexpr UINT kFree = WM_APP + 2;
constexpr SIZE_T kBlockBytes = 1 << 20;

struct Held {
  std::vector<HBRUSH> brushes;
  std::vector<HWND> windows;
  std::vector<void*> blocks;
};

int count = 0;
Held held;

void Say(const char* line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

void Make(HWND main) {
  for (int i = 0; i < count; ++i) {
    held.brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    for (const HWND parent : {main, HWND_MESSAGE}) {
      const DWORD style = parent == main ? WS_CHILD : 0;
      held.windows.push_back(
          CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr));
    }
    void* block = VirtualAlloc(nullptr, kBlockBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    // Touched, so that counters of resident memory see it too.
    std::memset(block, 1, kBlockBytes);
    held.blocks.push_back(block);
  }
}

void Free() {
  for (const HBRUSH brush : held.brushes) DeleteObject(brush);
  for (const HWND window : held.windows) DestroyWindow(window);
  for (void* block : held.blocks) VirtualFree(block, 0, MEM_RELEASE);
  held = {};
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kMake:
      Make(window);
      Say("made\n");
      return 0;
    case kFree:
      Free();
      Say("freed\n");
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  count = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"ResourceChurn";
  if (!RegisterClassW(&window_class)) return 1;
  if (!CreateWindowExW(0, window_class.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                       nullptr, nullptr, window_class.hInstance, nullptr))
    return 1;
  Say("ready\n");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
