#include "base/win/executable_path.h"

#include <windows.h>

#include "base/win/wide.h"

std::u16string ExecutablePath() {
  std::u16string path(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, AsWide(path.data()), static_cast<DWORD>(path.size()));
    // A path that fills the buffer may have been cut short: read it again into a larger one.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}
