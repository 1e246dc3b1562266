// Holds the clipboard open, as a busy program would:
//   clipboard_holder MILLISECONDS [LET_GO_EVENT]
// Says "held" on its output once it holds the clipboard, and "letting go" just before it closes
// it: MILLISECONDS after taking it, or earlier once the named event is set. Tests wait for these
// lines rather than guess how long a start takes.
#include <windows.h>

#include <cwchar>
#include <string_view>

#include "base/win/opened_clipboard.h"
#include "base/win/unique_handle.h"

namespace {

void Say(std::string_view line) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 && argc != 3) return 2;
  const DWORD hold = std::wcstoul(argv[1], nullptr, 10);
  const UniqueKernelHandle let_go(argc == 3 ? OpenEventW(SYNCHRONIZE, FALSE, argv[2]) : nullptr);
  if (argc == 3 && !let_go) return 3;
  const OpenedClipboard clipboard(nullptr);
  if (!clipboard) return 1;
  Say("held\n");
  if (let_go) {
    WaitForSingleObject(let_go.get(), hold);
  } else {
    Sleep(hold);
  }
  // Said before the clipboard is free, so a program that gets it must find this line written.
  Say("letting go\n");
  return 0;
}
