#include "tests/fuzz/zip/memory_zip_file_system.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/error.h"
#include "base/utf.h"

namespace {

[[noreturn]] void Trip(const char* what, const std::u16string& path) {
  std::fprintf(stderr, "%s: %s\n", what, Utf16ToUtf8(path).c_str());
  std::abort();
}

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

// Deflate gives at most 258 bytes for two bits.
constexpr std::uint64_t kMostOutputPerInputByte = 1032;

// Counts into the file's size and into the total of every file, which may not pass what the
// archive's bytes, each read for one entry only, can unpack to.
class MemoryOutputFile : public OutputFile {
 public:
  MemoryOutputFile(std::uint64_t& size, std::uint64_t& total, std::uint64_t most)
      : size_(size), total_(total), most_(most) {}
  void Write(const std::uint8_t*, std::size_t count) override {
    if (closed_) std::abort();
    size_ += count;
    total_ += count;
    if (total_ > most_) {
      std::fprintf(stderr, "%llu bytes written from a smaller archive\n",
                   static_cast<unsigned long long>(total_));
      std::abort();
    }
  }
  void Close() override { closed_ = true; }

 private:
  std::uint64_t& size_;
  std::uint64_t& total_;
  std::uint64_t most_;
  bool closed_ = false;
};

// What Windows would not take as a plain file or folder name inside the folder: a component it
// trims to "" or ".." or "." (dots and spaces only), a stream or drive (":"), a device name.
bool Escapes(std::u16string_view component) {
  if (component.find_first_not_of(u". ") == std::u16string_view::npos) return true;
  if (component.find(u':') != std::u16string_view::npos) return true;
  std::u16string base(component.substr(0, component.find(u'.')));
  base.erase(base.find_last_not_of(u' ') + 1);
  for (auto& c : base) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  static const std::array<std::u16string_view, 28> kDevices = {
      u"CON",  u"PRN",  u"AUX",  u"NUL",  u"COM1", u"COM2", u"COM3", u"COM4", u"COM5", u"COM6",
      u"COM7", u"COM8", u"COM9", u"LPT1", u"LPT2", u"LPT3", u"LPT4", u"LPT5", u"LPT6", u"LPT7",
      u"LPT8", u"LPT9", u"COM¹", u"COM²", u"COM³", u"LPT¹", u"LPT²", u"LPT³"};
  return std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end();
}

}  // namespace

MemoryZipFileSystem::MemoryZipFileSystem(const std::uint8_t* archive, std::size_t size,
                                         std::u16string folder)
    : archive_(archive), size_(size), folder_(std::move(folder)) {
  for (auto slash = folder_.find(u'\\'); slash != std::u16string::npos;
       slash = folder_.find(u'\\', slash + 1)) {
    folders_.insert(folder_.substr(0, slash));
  }
  folders_.insert(folder_);
}

// Each folder made and each path handed over is paid for by bytes of the archive: a name costs
// its own length, not the square of it.
void MemoryZipFileSystem::Count(const std::u16string& path, std::uint64_t folders) {
  folder_calls_ += folders;
  path_units_ += path.size();
  if (folder_calls_ > kMostFolderCallsPerInputByte * size_ + kCostAllowance ||
      path_units_ > kMostPathUnitsPerInputByte * size_ + kCostAllowance) {
    std::fprintf(stderr, "%llu folders made and %llu path units handed over for %zu bytes\n",
                 static_cast<unsigned long long>(folder_calls_),
                 static_cast<unsigned long long>(path_units_), size_);
    std::abort();
  }
}

const std::u16string& MemoryZipFileSystem::Confined(const std::u16string& path) const {
  if (path == folder_) return path;
  if (!path.starts_with(folder_ + u'\\')) Trip("outside the folder", path);
  std::u16string_view rest(path);
  rest.remove_prefix(folder_.size() + 1);
  for (std::size_t start = 0; start <= rest.size();) {
    const auto end = std::min(rest.find(u'\\', start), rest.size());
    if (Escapes(rest.substr(start, end - start))) Trip("escapes the folder", path);
    start = end + 1;
  }
  for (const char16_t c : rest) {
    if (c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|') {
      Trip("no path may hold this", path);
    }
  }
  return path;
}

std::unique_ptr<ArchiveSource> MemoryZipFileSystem::OpenArchive(const std::u16string&) {
  return std::make_unique<MemorySource>(archive_, size_);
}

// As mkdir does it: a folder whose parent is missing or where a file stands is not made.
bool MemoryZipFileSystem::CreateFolder(const std::u16string& path) {
  Count(path, 1);
  if (folders_.contains(path)) return true;
  const auto parent = Confined(path).substr(0, path.find_last_of(u'\\'));
  if (!folders_.contains(parent) || file_sizes_.contains(path)) return false;
  folders_.insert(path);
  return true;
}

std::unique_ptr<OutputFile> MemoryZipFileSystem::CreateOutputFile(const std::u16string& path) {
  Count(path, 0);
  const auto parent = Confined(path).substr(0, path.find_last_of(u'\\'));
  if (!folders_.contains(parent))
    throw Error(FormatText(kFileNotCreated, {path, u"No such folder"}));
  if (folders_.contains(path)) throw Error(FormatText(kFileNotCreated, {path, u"Is a directory"}));
  auto& size = file_sizes_[path];
  size = 0;
  return std::make_unique<MemoryOutputFile>(size, total_written_, kMostOutputPerInputByte * size_);
}

bool MemoryZipFileSystem::FileExists(const std::u16string& path) {
  Count(path, 0);
  return file_sizes_.contains(path);
}

void MemoryZipFileSystem::SetTimes(const std::u16string& path, const DosDateTime&) {
  Count(path, 0);
  if (!file_sizes_.contains(Confined(path))) Trip("times of a file never written", path);
}

void MemoryZipFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
  Count(path, 0);
  if (!file_sizes_.contains(Confined(path))) Trip("attributes of a file never written", path);
  // Only the DOS byte, and never the volume-label or folder bit, which would make no file of it.
  constexpr std::uint32_t kDosByte = 0xFF;
  constexpr std::uint32_t kVolumeLabel = 0x08;
  constexpr std::uint32_t kFolder = 0x10;
  if (attributes > kDosByte || (attributes & (kVolumeLabel | kFolder))) {
    Trip("attributes out of range", path);
  }
}

std::optional<std::uint64_t> MemoryZipFileSystem::FreeSpace(const std::u16string& folder) {
  Count(folder, 0);
  return kVolumeBytes;
}

std::u16string MemoryZipFileSystem::DiskFullText() {
  return u"Disk full";
}
