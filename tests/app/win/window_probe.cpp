// Reads a top-level window and its child controls back with Win32 calls and prints them as
// JSON, for the tests that drive the real program from outside.
//   window_probe CLASS [CAPTION]        (empty CLASS: any class)
//   window_probe --post MESSAGE CLASS   posts a message (a number) to the window, e.g. WM_CLOSE
//   window_probe --post-child MESSAGE CLASS ID
//                                       posts it to the window's child control of that id
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "app/win/window_text.h"
#include "base/utf.h"
#include "base/win/wide.h"

namespace {

std::string Json(const std::wstring& text) {
  std::string out = "\"";
  for (const char c : Utf16ToUtf8(FromWide(text.c_str(), text.size()))) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::string Rect(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return text;
}

std::string Common(HWND window) {
  char numbers[160];
  std::snprintf(numbers, sizeof numbers,
                "\"handle\": %lld, \"style\": %lu, \"exstyle\": %lu, \"enabled\": %s, "
                "\"visible\": %s, ",
                static_cast<long long>(reinterpret_cast<INT_PTR>(window)),
                static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)),
                IsWindowEnabled(window) ? "true" : "false",
                IsWindowVisible(window) ? "true" : "false");
  return numbers + std::string("\"class\": ") + Json(ClassOf(window)) +
         ", \"text\": " + Json(WindowText(window));
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&r), 2);
  const LRESULT check = SendMessageW(child, BM_GETCHECK, 0, 0);
  std::printf("    {%s, \"id\": %d, \"rect\": %s, \"checked\": %s},\n", Common(child).c_str(),
              GetDlgCtrlID(child), Rect(r).c_str(), check == BST_CHECKED ? "true" : "false");
  return TRUE;
}

// Exit code 0 once posted; 1 without the window.
int Post(HWND target, const wchar_t* message) {
  return target && PostMessageW(target, static_cast<UINT>(std::wcstoul(message, nullptr, 0)), 0, 0)
             ? 0
             : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring command = argv[1];
  if (command == L"--post") return argc > 3 ? Post(FindWindowW(argv[3], nullptr), argv[2]) : 2;
  if (command == L"--post-child") {
    if (argc < 5) return 2;
    const HWND window = FindWindowW(argv[3], nullptr);
    return Post(window ? GetDlgItem(window, std::wcstol(argv[4], nullptr, 0)) : nullptr, argv[2]);
  }
  const HWND window = FindWindowW(argv[1][0] ? argv[1] : nullptr, argc > 2 ? argv[2] : nullptr);
  if (!window) {
    std::printf("null\n");
    return 1;
  }
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  std::printf("{%s,\n  \"rect\": %s, \"client\": %s, \"client_origin\": [%ld, %ld],\n",
              Common(window).c_str(), Rect(outer).c_str(), Rect(client).c_str(), origin.x,
              origin.y);
  std::printf("  \"screen\": [%d, %d], \"foreground\": %s,\n  \"children\": [\n",
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              GetForegroundWindow() == window ? "true" : "false");
  EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(window));
  std::printf("    null]\n}\n");
  return 0;
}
