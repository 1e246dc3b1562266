// Holds the clipboard open for a while, as a busy program would:
//   clipboard_holder MILLISECONDS READY_EVENT_NAME
// The named event is set once the clipboard is held.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  if (!OpenClipboard(nullptr)) return 1;
  if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2])) {
    SetEvent(ready);
    CloseHandle(ready);
  }
  Sleep(static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)));
  CloseClipboard();
  return 0;
}
