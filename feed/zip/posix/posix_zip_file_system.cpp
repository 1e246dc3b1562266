#include "feed/zip/posix/posix_zip_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>

#include "base/error.h"
#include "base/utf.h"

namespace {

std::string PosixPath(const std::u16string& path) {
  std::string posix = Utf16ToUtf8(path);
  std::replace(posix.begin(), posix.end(), '\\', '/');
  return posix;
}

std::u16string ErrnoText() {
  return Utf8ToUtf16(std::strerror(errno));
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

class PosixSource : public ArchiveSource {
 public:
  explicit PosixSource(int fd) : fd_(fd) {}
  std::uint64_t Size() override {
    struct stat info {};
    return ::fstat(fd_.get(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  }
  void Seek(std::uint64_t position) override {
    ::lseek(fd_.get(), static_cast<off_t>(position), SEEK_SET);
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      const ssize_t n = ::read(fd_.get(), buffer + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

 private:
  FileDescriptor fd_;
};

class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  void Write(const std::uint8_t* data, std::size_t count) override {
    while (count > 0) {
      const ssize_t n = ::write(fd_.get(), data, count);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw Error(kStreamWriteFailed);
      data += n;
      count -= static_cast<std::size_t>(n);
    }
  }
  void Close() override {
    if (::close(fd_.release()) != 0) throw Error(kStreamWriteFailed);
  }

 private:
  FileDescriptor fd_;
};

}  // namespace

std::unique_ptr<ArchiveSource> PosixZipFileSystem::OpenArchive(const std::u16string& path) {
  const int fd = ::open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Error(FormatText(kFileNotOpened, {path, ErrnoText()}));
  return std::make_unique<PosixSource>(fd);
}

bool PosixZipFileSystem::CreateFolder(const std::u16string& path) {
  const std::string posix = PosixPath(path);
  struct stat info {};
  return ::mkdir(posix.c_str(), 0777) == 0 ||
         (::stat(posix.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

std::unique_ptr<OutputFile> PosixZipFileSystem::CreateOutputFile(const std::u16string& path) {
  const int fd = ::open(PosixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw Error(FormatText(kFileNotCreated, {path, ErrnoText()}));
  return std::make_unique<PosixOutputFile>(fd);
}

bool PosixZipFileSystem::FileExists(const std::u16string& path) {
  struct stat info {};
  return ::stat(PosixPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void PosixZipFileSystem::SetTimes(const std::u16string& path, const DosDateTime& local_time) {
  std::tm tm{};
  tm.tm_year = local_time.year - 1900;
  tm.tm_mon = local_time.month - 1;
  tm.tm_mday = local_time.day;
  tm.tm_hour = local_time.hour;
  tm.tm_min = local_time.minute;
  tm.tm_sec = local_time.second;
  tm.tm_isdst = -1;
  const timespec times[2] = {{0, UTIME_OMIT}, {std::mktime(&tm), 0}};
  ::utimensat(AT_FDCWD, PosixPath(path).c_str(), times, 0);
}

void PosixZipFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
  constexpr std::uint32_t kReadOnly = 0x01;
  if (attributes & kReadOnly) ::chmod(PosixPath(path).c_str(), 0444);
}

std::optional<std::uint64_t> PosixZipFileSystem::FreeSpace(const std::u16string& folder) {
  struct statvfs volume {};
  if (::statvfs(PosixPath(folder).c_str(), &volume) != 0) return std::nullopt;
  return std::uint64_t{volume.f_bavail} * volume.f_frsize;
}

std::u16string PosixZipFileSystem::DiskFullText() {
  return Utf8ToUtf16(std::strerror(ENOSPC));
}
