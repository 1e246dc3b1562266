#pragma once
// The archive reader: unpacks a ZIP archive (stored and deflated entries) into a folder.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "feed/zip/compression_table.h"
#include "feed/zip/zip_file_system.h"
#include "feed/zip/zip_header.h"

enum TZipMode { zmClosed, zmRead };

class TZipFile {
 public:
  explicit TZipFile(ZipFileSystem& files) : files_(files) {}

  // Opens the archive and reads its central directory; zmClosed just closes.
  void Open(const std::u16string& path, TZipMode mode);
  // Refuses an archive that the folder's volume has no room for before it writes anything.
  void ExtractAll(const std::u16string& folder);
  void Extract(std::size_t index, const std::u16string& folder, bool create_subfolders);
  // The entry's decompressing stream, positioned at its data, and its local header.
  std::unique_ptr<TEntryStream> Read(std::size_t index, TZipHeader& local_header);
  void Close();

  TZipMode Mode() const { return mode_; }
  // True unless an entry of the open archive lacks flag bit 11: names are then code page 437.
  bool UTF8Support() const { return utf8_support_; }

  // Opens, extracts every entry in central-directory order and closes; a failure stops at its
  // entry, leaves the files of earlier entries and still closes the archive.
  static void ExtractZipFile(const std::u16string& zip_path, const std::u16string& folder,
                             ZipFileSystem& files);

 private:
  void CheckRoomFor(const std::u16string& folder);
  void WriteEntry(TEntryStream& data, const TZipHeader& header, const std::u16string& target);
  void FinishFile(const TZipHeader& central, const TZipHeader& local, const std::u16string& target);

  ZipFileSystem& files_;
  TZipMode mode_ = zmClosed;
  std::unique_ptr<ArchiveSource> source_;
  std::unique_ptr<ArchiveStream> archive_;
  std::vector<TZipHeader> headers_;
  std::vector<std::uint64_t> read_limits_;  // per entry: where its data has to end
  bool utf8_support_ = true;
};
