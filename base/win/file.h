#pragma once
// A file through a Win32 handle, read and written in pieces no larger than one call can move.
// The callers decide what a failure means; GetLastError() tells why it happened.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/win/unique_handle.h"

// CreateFileW's choices, named at the call.
struct FileOpening {
  DWORD access = 0;
  DWORD share = 0;
  DWORD disposition = 0;
  DWORD flags = 0;  // attributes and flags
};

class File {
 public:
  // Not open when CreateFileW fails.
  File(const std::u16string& path, const FileOpening& opening);
  explicit operator bool() const { return static_cast<bool>(handle_); }
  HANDLE get() const { return handle_.get(); }

  std::optional<std::uint64_t> Size() const;
  bool Seek(std::uint64_t position);
  // One ReadFile: the count it read, 0 at the end; nothing when it fails.
  std::optional<std::size_t> ReadSome(void* buffer, std::size_t count);
  // Every byte, in as many calls as it takes; false when a call fails or writes nothing.
  bool WriteAll(const void* data, std::size_t count);
  // False when the close fails, as a write the system held back can.
  bool Close();

 private:
  UniqueFile handle_;
};

// Opened, or an Error: the failure text with the path and the system's reason for its two "%s".
File OpenFileOrThrow(const std::u16string& path, const FileOpening& opening,
                     std::u16string_view failure);
