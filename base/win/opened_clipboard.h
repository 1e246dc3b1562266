#pragma once
// The clipboard, open for one scope on behalf of a window (or of none), closed on every path.
#include <windows.h>

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  // False when another program holds it; GetLastError tells why.
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};
