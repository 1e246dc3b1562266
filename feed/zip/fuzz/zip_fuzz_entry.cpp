#include "feed/zip/fuzz/zip_fuzz_entry.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/base/error.h"
#include "app/base/utf.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/native_zip_file_system.h"

namespace {

class MemorySource : public ArchiveSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint64_t Size() override { return size_; }
  void Seek(std::uint64_t position) override { position_ = position; }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    if (position_ >= size_) return 0;
    const std::size_t n = std::min<std::size_t>(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::uint64_t position_ = 0;
};

// The native file system with the archive in memory and a tripwire on every path it writes.
class ConfinedFileSystem : public NativeZipFileSystem {
 public:
  ConfinedFileSystem(const std::uint8_t* data, std::size_t size, std::u16string folder)
      : data_(data), size_(size), folder_(std::move(folder)) {}

  std::unique_ptr<ArchiveSource> OpenArchive(const std::u16string&) override {
    return std::make_unique<MemorySource>(data_, size_);
  }
  void CreateFolders(const std::u16string& path) override {
    NativeZipFileSystem::CreateFolders(Checked(path));
  }
  std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path) override {
    return NativeZipFileSystem::CreateOutputFile(Checked(path));
  }
  void SetTimes(const std::u16string& path, const DosDateTime& local_time) override {
    NativeZipFileSystem::SetTimes(Checked(path), local_time);
  }
  void SetAttributes(const std::u16string& path, std::uint32_t attributes) override {
    NativeZipFileSystem::SetAttributes(Checked(path), attributes);
  }

 private:
  const std::u16string& Checked(const std::u16string& path) const {
    const bool inside = path == folder_ || path.starts_with(folder_ + u'\\');
    const bool climbs = (path + u'\\').find(u"\\..\\") != std::u16string::npos;
    if (!inside || climbs) {
      std::fprintf(stderr, "written outside the folder: %s\n", Utf16ToUtf8(path).c_str());
      std::abort();
    }
    return path;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::u16string folder_;
};

const std::filesystem::path& ScratchFolder() {
  static const auto folder =
      std::filesystem::temp_directory_path() / ("zip-fuzz-" + std::to_string(::getpid()));
  return folder;
}

}  // namespace

void FuzzZipArchive(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (RegisterStandardCompressionHandlers(), true);
  (void)registered;
  const auto& scratch = ScratchFolder();
  ConfinedFileSystem files(data, size, Utf8ToUtf16(scratch.string()));
  try {
    TZipFile::ExtractZipFile(u"archive.zip", Utf8ToUtf16(scratch.string()), files);
  } catch (const Error&) {
  }
  std::filesystem::remove_all(scratch);
}
