#include "base/win/file.h"

#include <algorithm>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"

namespace {

// ReadFile and WriteFile count in a DWORD.
DWORD TransferSize(std::size_t count) {
  constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;
  return static_cast<DWORD>(std::min(count, kMaxTransfer));
}

}  // namespace

File::File(const std::u16string& path, const FileOpening& opening)
    : handle_(CreateFileW(AsWide(path), opening.access, opening.share, nullptr, opening.disposition,
                          opening.flags, nullptr)) {}

std::optional<std::uint64_t> File::Size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle_.get(), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

bool File::Seek(std::uint64_t position) {
  LARGE_INTEGER distance{};
  distance.QuadPart = static_cast<LONGLONG>(position);
  return SetFilePointerEx(handle_.get(), distance, nullptr, FILE_BEGIN);
}

std::optional<std::size_t> File::ReadSome(void* buffer, std::size_t count) {
  DWORD got = 0;
  if (!ReadFile(handle_.get(), buffer, TransferSize(count), &got, nullptr)) return std::nullopt;
  return got;
}

bool File::WriteAll(const void* data, std::size_t count) {
  const auto* bytes = static_cast<const char*>(data);
  while (count > 0) {
    DWORD written = 0;
    if (!WriteFile(handle_.get(), bytes, TransferSize(count), &written, nullptr) || written == 0) {
      return false;
    }
    bytes += written, count -= written;
  }
  return true;
}

bool File::Close() {
  return CloseHandle(handle_.release());
}

File OpenFileOrThrow(const std::u16string& path, const FileOpening& opening,
                     std::u16string_view failure) {
  File file(path, opening);
  if (!file) throw Error(FormatText(failure, {path, LastErrorText()}));
  return file;
}
