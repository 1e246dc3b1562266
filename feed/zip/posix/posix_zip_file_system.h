#pragma once
// The archive reader on a POSIX file system, for the native tests and the benchmark. Windows
// paths map to POSIX ones with "\" as "/"; creation time and the DOS attributes other than
// read-only have no counterpart here.
#include "feed/zip/zip_file_system.h"

class PosixZipFileSystem : public ZipFileSystem {
 public:
  std::unique_ptr<ArchiveSource> OpenArchive(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path) override;
  bool FileExists(const std::u16string& path) override;
  void SetTimes(const std::u16string& path, const DosDateTime& local_time) override;
  void SetAttributes(const std::u16string& path, std::uint32_t attributes) override;
  std::optional<std::uint64_t> FreeSpace(const std::u16string& folder) override;
  std::u16string DiskFullText() override;
};
