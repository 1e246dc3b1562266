#include "feed/zip/ZipEX.h"

#include <zlib.h>

#include <algorithm>

#include "base/error.h"
#include "feed/zip/entry_name.h"
#include "feed/zip/header_parser.h"
#include "feed/zip/zip_failure_texts.h"

namespace {

constexpr std::size_t kCopyChunk = 256 * 1024;
constexpr std::uint16_t kUtf8NamesFlag = 0x0800;
constexpr std::size_t kMaxPath = 260;
// MadeByVersion's high byte is the system the entry was made on; MS-DOS attributes fill the low
// byte of ExternalAttributes.
constexpr int kMadeByHostShift = 8;
constexpr std::uint16_t kMsDosHost = 0;
constexpr std::uint32_t kDosAttributes = 0xFF;
constexpr std::uint32_t kDosVolumeLabel = 0x08;
constexpr std::uint32_t kDosDirectory = 0x10;

bool MadeOnDos(const TZipHeader& central) {
  return central.MadeByVersion >> kMadeByHostShift == kMsDosHost;
}

}  // namespace

void TZipFile::Open(const std::u16string& path, TZipMode mode) {
  Close();
  if (mode == zmClosed) return;
  // Locals first, so that a failed open leaves nothing open behind it.
  auto source = files_.OpenArchive(path);
  auto archive = std::make_unique<ArchiveStream>(*source);
  if (archive->Size() == 0) throw Error(kStreamReadFailed);
  auto headers = ReadCentralDirectory(*archive);
  auto read_limits = EntryReadLimits(*archive, headers);
  utf8_support_ = std::all_of(headers.begin(), headers.end(),
                              [](const TZipHeader& h) { return (h.Flag & kUtf8NamesFlag) != 0; });
  headers_ = std::move(headers);
  read_limits_ = std::move(read_limits);
  source_ = std::move(source);
  archive_ = std::move(archive);
  mode_ = zmRead;
}

void TZipFile::ExtractAll(const std::u16string& folder) {
  CheckRoomFor(folder);
  for (std::size_t i = 0; i < headers_.size(); ++i) Extract(i, folder, true);
}

void TZipFile::Extract(std::size_t index, const std::u16string& folder, bool create_subfolders) {
  TZipHeader local;
  const auto data = Read(index, local);
  const TZipHeader& central = headers_.at(index);
  auto name = DecodeEntryName(central.FileName, utf8_support_);
  if (!create_subfolders) name.erase(0, name.find_last_of(u'\\') + 1);
  auto target = EntryTargetPath(folder, name);
  // Older DOS tools mark a folder by its attribute alone; written as a file, it would block
  // the entries inside it. An entry with data is a file whatever its attribute.
  if (MadeOnDos(central) && (central.ExternalAttributes & kDosDirectory) &&
      central.UncompressedSize == 0 && !target.ends_with(u'\\')) {
    target += u'\\';
  }
  CreateFolders(files_, std::u16string_view(target).substr(0, target.find_last_of(u'\\')));
  if (target.ends_with(u'\\')) return;  // a directory entry
  WriteEntry(*data, central, target);
  FinishFile(central, local, target);
}

std::unique_ptr<TEntryStream> TZipFile::Read(std::size_t index, TZipHeader& local_header) {
  const TZipHeader& central = headers_.at(index);
  local_header = ReadLocalHeader(*archive_, central.LocalHeaderOffset);
  archive_->LimitTo(read_limits_.at(index));
  // The table is keyed by the method's low byte.
  const auto* handler =
      FindCompressionHandler(static_cast<TZipCompression>(central.CompressionMethod));
  if (!handler) throw Error(kMethodNotFound);
  return (*handler)(*archive_);
}

void TZipFile::Close() {
  headers_.clear();
  read_limits_.clear();
  archive_.reset();
  source_.reset();
  mode_ = zmClosed;
}

void TZipFile::ExtractZipFile(const std::u16string& zip_path, const std::u16string& folder,
                              ZipFileSystem& files) {
  TZipFile zip(files);
  zip.Open(zip_path, zmRead);
  zip.ExtractAll(folder);
  zip.Close();
}

// Exactly UncompressedSize bytes, checked against the central CRC-32 so that damaged data never
// passes as a good file.
void TZipFile::WriteEntry(TEntryStream& data, const TZipHeader& header,
                          const std::u16string& target) {
  auto file = files_.CreateOutputFile(target);
  std::vector<std::uint8_t> buffer(std::min<std::size_t>(header.UncompressedSize, kCopyChunk));
  uLong crc = crc32(0, nullptr, 0);
  for (std::uint32_t remaining = header.UncompressedSize; remaining > 0;) {
    const std::size_t wanted = std::min<std::size_t>(remaining, buffer.size());
    const std::size_t got = data.Read(buffer.data(), wanted);
    file->Write(buffer.data(), got);
    crc = crc32(crc, buffer.data(), static_cast<uInt>(got));
    if (got < wanted) throw Error(kStreamReadFailed);
    remaining -= static_cast<std::uint32_t>(got);
  }
  file->Close();
  if (crc != header.CRC32) {
    throw Error(FormatText(kCrcMismatch, {target}));
  }
}

// What the entries unpack to, and the largest once more for the moment its ".csv" copy stands
// beside it: an archive of a few megabytes can declare gigabytes of zeros.
void TZipFile::CheckRoomFor(const std::u16string& folder) {
  std::uint64_t total = 0, largest = 0;
  for (const auto& header : headers_) {
    total += header.UncompressedSize;
    largest = std::max<std::uint64_t>(largest, header.UncompressedSize);
  }
  const auto free_space = files_.FreeSpace(folder);
  if (free_space && total + largest > *free_space) {
    throw Error(FormatText(kDiskSpaceShort, {folder, files_.DiskFullText()}));
  }
}

void TZipFile::FinishFile(const TZipHeader& central, const TZipHeader& local,
                          const std::u16string& target) {
  if (!files_.FileExists(target)) return;
  const auto time = DecodeDosDateTime(local.ModifiedDateTime);
  // Refused where the times are set, not before writing: the file stays written, as with a bad
  // date, and a bad date is told first.
  if (target.size() >= kMaxPath) throw Error(kPathTooLong);
  files_.SetTimes(target, time);
  if (MadeOnDos(central)) {
    files_.SetAttributes(
        target, central.ExternalAttributes & kDosAttributes & ~(kDosVolumeLabel | kDosDirectory));
  }
}
