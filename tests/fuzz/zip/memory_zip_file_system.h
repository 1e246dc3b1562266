#pragma once
// The archive reader's edges in memory, for fuzzing: the archive is the fuzz input, the folder a
// map of paths. Nothing touches the disk, so a run costs what the reader costs. Every path the
// reader hands over is checked, and one that Windows would resolve outside the folder aborts; so
// does writing more than the archive's bytes could unpack to, and making more folders or handing
// over more path than the archive's bytes pay for.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "feed/zip/zip_file_system.h"

class MemoryZipFileSystem : public ZipFileSystem {
 public:
  // folder: a Windows path without a trailing backslash.
  MemoryZipFileSystem(const std::uint8_t* archive, std::size_t size, std::u16string folder);

  std::unique_ptr<ArchiveSource> OpenArchive(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path) override;
  bool FileExists(const std::u16string& path) override;
  void SetTimes(const std::u16string& path, const DosDateTime& local_time) override;
  void SetAttributes(const std::u16string& path, std::uint32_t attributes) override;
  std::optional<std::uint64_t> FreeSpace(const std::u16string& folder) override;
  std::u16string DiskFullText() override;

 private:
  // Beyond what the reader itself needs: one folder for each name byte, and for each entry's
  // name, which may reach the folder limit a few times over, some dozens of units of path.
  static constexpr std::uint64_t kMostFolderCallsPerInputByte = 1;
  static constexpr std::uint64_t kMostPathUnitsPerInputByte = 64;
  // The working folder's own paths for an archive of a few bytes.
  static constexpr std::uint64_t kCostAllowance = 4096;
  // Large enough for what small inputs unpack to, small enough that bombs meet the space check.
  static constexpr std::uint64_t kVolumeBytes = std::uint64_t{1} << 30;

  void Count(const std::u16string& path, std::uint64_t folders);
  const std::u16string& Confined(const std::u16string& path) const;

  const std::uint8_t* archive_;
  std::size_t size_;
  std::u16string folder_;
  std::set<std::u16string> folders_;
  std::map<std::u16string, std::uint64_t> file_sizes_;  // contents are not kept: they can be huge
  std::uint64_t total_written_ = 0;
  std::uint64_t folder_calls_ = 0;
  std::uint64_t path_units_ = 0;
};
