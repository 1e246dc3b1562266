// The archive reader on a 64 MiB volume that run_on_small_volume mounts in the prefix's drive C
// and names in VELMORA_SMALL_VOLUME: Wine reports the Unix file system's free space.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/win/windows_zip_file_system.h"
#include "tests/feed/zip/zip_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kMebibyte = 1u << 20;

// Four deflated entries of that many MiB of zeros each.
std::string ZerosArchive(std::uint32_t mebibytes) {
  const std::string packed = DeflatedZeros(std::uint64_t{mebibytes} * kMebibyte);
  const std::uint32_t crc = Crc32(std::string(mebibytes * kMebibyte, '\0'));
  std::vector<TestEntry> entries;
  for (const char* name : {"z1.bin", "z2.bin", "z3.bin", "z4.bin"}) {
    entries.push_back({.name = name,
                       .method = 8,
                       .packed = packed,
                       .crc = crc,
                       .uncompressed_size = mebibytes * kMebibyte});
  }
  return BuildZip(entries);
}

int FilesIn(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    count += entry.is_regular_file();
  return count;
}

// 4 × 16 MiB and the largest once more do not fit in 64 MiB: refused before a byte is written.
// 4 × 8 MiB do, and are written whole.
TEST(SmallVolume, ArchiveIsRefusedUnlessItFits) {
  const char* volume = std::getenv("VELMORA_SMALL_VOLUME");
  ASSERT_NE(volume, nullptr);
  RegisterStandardCompressionHandlers();
  const fs::path root(volume);
  const std::u16string folder = FromWide((root / L"GTFS_TEMP").c_str());
  const std::u16string archive_path = FromWide((root / L"feed.zip").c_str());
  const struct {
    std::uint32_t mebibytes;
    std::u16string message;
    int files;
  } cases[] = {
      {16,
       u"ディスクの空き領域が足りないため \"" + folder + u"\" に展開できません。" +
           SystemErrorText(ERROR_DISK_FULL),
       0},
      {8, u"", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mebibytes);
    fs::remove_all(root / L"GTFS_TEMP");
    fs::create_directories(root / L"GTFS_TEMP");
    std::ofstream(root / L"feed.zip", std::ios::binary) << ZerosArchive(c.mebibytes);
    std::u16string message;
    try {
      WindowsZipFileSystem files;
      TZipFile::ExtractZipFile(archive_path, folder, files);
    } catch (const Error& error) {
      message = error.text();
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(FilesIn(root / L"GTFS_TEMP"), c.files);
  }
  fs::remove_all(root / L"GTFS_TEMP");
  fs::remove(root / L"feed.zip");
}

}  // namespace
