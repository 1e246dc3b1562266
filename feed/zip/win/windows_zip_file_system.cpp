#include "feed/zip/win/windows_zip_file_system.h"

#include <windows.h>

#include <utility>

#include "base/error.h"
#include "base/win/file.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"

namespace {

class WindowsSource : public ArchiveSource {
 public:
  explicit WindowsSource(File file) : file_(std::move(file)) {}
  std::uint64_t Size() override { return file_.Size().value_or(0); }
  void Seek(std::uint64_t position) override { file_.Seek(position); }
  // A failed read ends the bytes as the end of the file does.
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      const auto got = file_.ReadSome(buffer + done, count - done);
      if (!got || *got == 0) break;
      done += *got;
    }
    return done;
  }

 private:
  File file_;
};

class WindowsOutputFile : public OutputFile {
 public:
  explicit WindowsOutputFile(File file) : file_(std::move(file)) {}
  void Write(const std::uint8_t* data, std::size_t count) override {
    if (!file_.WriteAll(data, count)) throw Error(kStreamWriteFailed);
  }
  void Close() override {
    if (!file_.Close()) throw Error(kStreamWriteFailed);
  }

 private:
  File file_;
};

}  // namespace

// No sharing: no other program can change the archive while it is read.
std::unique_ptr<ArchiveSource> WindowsZipFileSystem::OpenArchive(const std::u16string& path) {
  return std::make_unique<WindowsSource>(
      OpenFileOrThrow(path,
                      {.access = GENERIC_READ,
                       .share = 0,
                       .disposition = OPEN_EXISTING,
                       .flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN},
                      kFileNotOpened));
}

bool WindowsZipFileSystem::CreateFolder(const std::u16string& path) {
  if (CreateDirectoryW(AsWide(path), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<OutputFile> WindowsZipFileSystem::CreateOutputFile(const std::u16string& path) {
  return std::make_unique<WindowsOutputFile>(
      OpenFileOrThrow(path,
                      {.access = GENERIC_WRITE,
                       .share = 0,
                       .disposition = CREATE_ALWAYS,
                       .flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN},
                      kFileNotCreated));
}

bool WindowsZipFileSystem::FileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// TzSpecificLocalTimeToSystemTime applies the daylight-saving rule of the stamp's own date, so
// the file shows the archived wall-clock time in every season; LocalFileTimeToFileTime would
// apply today's bias instead.
void WindowsZipFileSystem::SetTimes(const std::u16string& path, const DosDateTime& local_time) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(local_time.year);
  local.wMonth = static_cast<WORD>(local_time.month);
  local.wDay = static_cast<WORD>(local_time.day);
  local.wHour = static_cast<WORD>(local_time.hour);
  local.wMinute = static_cast<WORD>(local_time.minute);
  local.wSecond = static_cast<WORD>(local_time.second);
  SYSTEMTIME utc{};
  FILETIME stamp{};
  const File file(path, {.access = FILE_WRITE_ATTRIBUTES,
                         .share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         .disposition = OPEN_EXISTING,
                         .flags = FILE_ATTRIBUTE_NORMAL});
  if (!file || !TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
      !SystemTimeToFileTime(&utc, &stamp) || !SetFileTime(file.get(), &stamp, nullptr, &stamp)) {
    throw Error(LastErrorText());
  }
}

void WindowsZipFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
  if (!SetFileAttributesW(AsWide(path), attributes)) throw Error(LastErrorText());
}

std::optional<std::uint64_t> WindowsZipFileSystem::FreeSpace(const std::u16string& folder) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(AsWide(folder), &available, nullptr, nullptr)) return std::nullopt;
  return available.QuadPart;
}

std::u16string WindowsZipFileSystem::DiskFullText() {
  return SystemErrorText(ERROR_DISK_FULL);
}
