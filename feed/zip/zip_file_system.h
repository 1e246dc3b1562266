#pragma once
// The edges of the archive reader: the archive file it reads and the folder it writes. The
// Windows build and the native build (tests, benchmark, fuzzing) each supply one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "feed/zip/dos_date_time.h"
#include "feed/zip/zip_failure_texts.h"

class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  virtual std::uint64_t Size() = 0;
  virtual void Seek(std::uint64_t position) = 0;
  // Fewer bytes than asked only at the end of the file.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
};

// Both throw kStreamWriteFailed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(const std::uint8_t* data, std::size_t count) = 0;
  virtual void Close() = 0;
};

// Paths are Windows paths: backslashes, the folder first.
class ZipFileSystem {
 public:
  virtual ~ZipFileSystem() = default;
  // Exclusive read access; throws kFileNotOpened with the system's text.
  virtual std::unique_ptr<ArchiveSource> OpenArchive(const std::u16string& path) = 0;
  // One folder, its parent assumed there; true when the path is a folder afterwards.
  virtual bool CreateFolder(const std::u16string& path) = 0;
  // Replaces a file of that name; throws kFileNotCreated with the system's text.
  virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  // Creation and last-write time, given as local time.
  virtual void SetTimes(const std::u16string& path, const DosDateTime& local_time) = 0;
  virtual void SetAttributes(const std::u16string& path, std::uint32_t attributes) = 0;
  // Bytes this user may still write on the folder's volume; nothing when the system cannot tell.
  virtual std::optional<std::uint64_t> FreeSpace(const std::u16string& folder) = 0;
  // The system's own words for a full disk.
  virtual std::u16string DiskFullText() = 0;
};

// The path's folders from its first parent down to itself, in time and memory linear in its
// length. Best effort: a folder that cannot be made shows up as the file that cannot be created.
void CreateFolders(ZipFileSystem& files, std::u16string_view path);
