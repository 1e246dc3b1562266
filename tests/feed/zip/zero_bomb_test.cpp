// Four deflated entries of 1 GiB of zeros each, 4 MB of archive: with room on the volume they are
// written whole and pass their checksums. This writes 4 GiB, so it runs once, in the plain native
// build, and deletes its output at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "base/utf.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/posix/posix_zip_file_system.h"
#include "tests/feed/zip/zip_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kGibibyte = 1u << 30;

// The CRC-32 of a GiB of zeros, by zlib over pieces.
std::uint32_t ZerosCrc() {
  const std::string zeros(1 << 20, '\0');
  std::uint32_t crc = 0;
  for (int i = 0; i < 1024; ++i) crc = Crc32Append(crc, zeros);
  return crc;
}

TEST(ZeroBomb, FourGibibytesOfZerosExtractWhenTheyFit) {
  const fs::path root = fs::temp_directory_path() / ("zip-bomb-" + std::to_string(::getpid()));
  if (fs::space(fs::temp_directory_path()).available < 6ull * kGibibyte) {
    GTEST_SKIP() << "less than 6 GiB free in " << fs::temp_directory_path();
  }
  RegisterStandardCompressionHandlers();
  const std::string packed = DeflatedZeros(kGibibyte);
  const std::uint32_t crc = ZerosCrc();
  std::vector<TestEntry> entries;
  for (const char* name : {"z1.bin", "z2.bin", "z3.bin", "z4.bin"}) {
    entries.push_back(
        {.name = name, .method = 8, .packed = packed, .crc = crc, .uncompressed_size = kGibibyte});
  }
  const std::string archive = BuildZip(entries);
  EXPECT_LT(archive.size(), 5u << 20);
  fs::create_directories(root / "out");
  std::ofstream(root / "bomb.zip", std::ios::binary) << archive;
  PosixZipFileSystem files;
  std::string message;
  try {
    TZipFile::ExtractZipFile(Utf8ToUtf16((root / "bomb.zip").string()),
                             Utf8ToUtf16((root / "out").string()), files);
  } catch (const Error& error) {
    message = error.what();
  }
  std::vector<std::uintmax_t> sizes;
  for (const char* name : {"z1.bin", "z2.bin", "z3.bin", "z4.bin"}) {
    sizes.push_back(fs::exists(root / "out" / name) ? fs::file_size(root / "out" / name) : 0);
  }
  fs::remove_all(root);
  EXPECT_EQ(message, "");  // the reader checked each file's CRC-32
  EXPECT_EQ(sizes, std::vector<std::uintmax_t>(4, kGibibyte));
}

}  // namespace
