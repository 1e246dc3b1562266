#include "feed/zip/header_parser.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "base/error.h"
#include "feed/zip/field_reader.h"
#include "feed/zip/zip_failure_texts.h"

namespace {

constexpr std::size_t kSignatureSize = 4;
using Signature = std::array<std::uint8_t, kSignatureSize>;
constexpr Signature kEndSignature = {0x50, 0x4B, 0x05, 0x06};
constexpr Signature kCentralSignature = {0x50, 0x4B, 0x01, 0x02};
constexpr Signature kLocalSignature = {0x50, 0x4B, 0x03, 0x04};

// The end record's fields behind its signature, in file order.
struct EndRecord {
  std::uint16_t DiskNumber = 0;
  std::uint16_t CentralDirectoryDisk = 0;
  std::uint16_t EntriesOnDisk = 0;
  std::uint16_t Entries = 0;
  std::uint32_t CentralDirectorySize = 0;
  std::uint32_t CentralDirectoryOffset = 0;
  std::uint16_t CommentLength = 0;
};
using EndFields =
    RecordFields<&EndRecord::DiskNumber, &EndRecord::CentralDirectoryDisk,
                 &EndRecord::EntriesOnDisk, &EndRecord::Entries, &EndRecord::CentralDirectorySize,
                 &EndRecord::CentralDirectoryOffset, &EndRecord::CommentLength>;

// What a local header shares with a central one; the central one has a field before them and
// five behind.
using SharedFields =
    RecordFields<&TZipHeader::RequiredVersion, &TZipHeader::Flag, &TZipHeader::CompressionMethod,
                 &TZipHeader::ModifiedDateTime, &TZipHeader::CRC32, &TZipHeader::CompressedSize,
                 &TZipHeader::UncompressedSize, &TZipHeader::FileNameLength,
                 &TZipHeader::ExtraFieldLength>;
using CentralFields =
    FieldGroups<RecordFields<&TZipHeader::MadeByVersion>, SharedFields,
                RecordFields<&TZipHeader::FileCommentLength, &TZipHeader::DiskNumberStart,
                             &TZipHeader::InternalAttributes, &TZipHeader::ExternalAttributes,
                             &TZipHeader::LocalHeaderOffset>>;

// Each record's size up to its variable-length fields, its signature included.
constexpr std::size_t kEndRecordSize = kSignatureSize + EndFields::kSize;
constexpr std::size_t kCentralFixedSize = kSignatureSize + CentralFields::kSize;
constexpr std::size_t kLocalFixedSize = kSignatureSize + SharedFields::kSize;
static_assert(kEndRecordSize == 22 && kCentralFixedSize == 46 && kLocalFixedSize == 30,
              "the sizes the format gives its records");

// How much of the file's tail is searched for the end record: the record and the longest comment
// its 16-bit length allows.
constexpr std::uint64_t kLongestComment = 65535;
constexpr std::uint64_t kEndSearchSpan = kEndRecordSize + kLongestComment;

[[noreturn]] void ThrowZipReadError() {
  throw Error(kArchiveUnreadable);
}

bool ReadBytes(ArchiveStream& archive, std::size_t count, std::string& bytes) {
  bytes.resize(count);
  return archive.ReadExact(reinterpret_cast<std::uint8_t*>(bytes.data()), count);
}

// The signature nearest to the end within the searched tail; a record cut short counts as
// damage rather than as no record.
EndRecord ReadEndRecord(ArchiveStream& archive) {
  const std::uint64_t size = archive.Size();
  const auto span = static_cast<std::size_t>(std::min(size, kEndSearchSpan));
  std::vector<std::uint8_t> tail(span);
  archive.Seek(size - span);
  if (!archive.ReadExact(tail.data(), span)) ThrowZipReadError();
  const auto found =
      std::find_end(tail.begin(), tail.end(), kEndSignature.begin(), kEndSignature.end());
  if (found == tail.end() || tail.end() - found < static_cast<std::ptrdiff_t>(kEndRecordSize)) {
    ThrowZipReadError();
  }
  FieldReader field(std::span<const std::uint8_t>(tail).subspan(
      found - tail.begin() + kSignatureSize, EndFields::kSize));
  EndRecord record;
  EndFields::Read(field, record);
  return record;
}

TZipHeader ReadCentralHeader(ArchiveStream& archive) {
  Signature signature{};
  if (!archive.ReadExact(signature.data(), signature.size())) ThrowZipReadError();
  if (signature != kCentralSignature) throw Error(kCentralSignatureInvalid);
  std::array<std::uint8_t, CentralFields::kSize> fixed{};
  if (!archive.ReadExact(fixed.data(), fixed.size())) ThrowZipReadError();
  FieldReader field(fixed);
  TZipHeader h;
  CentralFields::Read(field, h);
  if (!ReadBytes(archive, h.FileNameLength, h.FileName) ||
      !ReadBytes(archive, h.ExtraFieldLength, h.ExtraField) ||
      !ReadBytes(archive, h.FileCommentLength, h.FileComment)) {
    ThrowZipReadError();
  }
  return h;
}

// Leaves the archive behind the signature when it is there.
bool AtLocalSignature(ArchiveStream& archive, std::uint32_t offset) {
  archive.Seek(offset);
  Signature signature{};
  archive.Read(signature.data(), signature.size());
  return signature == kLocalSignature;
}

// The fixed fields behind a local signature; false when the archive ends among them.
bool ReadLocalFixedFields(ArchiveStream& archive, TZipHeader& h) {
  std::array<std::uint8_t, SharedFields::kSize> fixed{};
  if (!archive.ReadExact(fixed.data(), fixed.size())) return false;
  FieldReader field(fixed);
  SharedFields::Read(field, h);
  return true;
}

// Where the entry's local header and its CompressedSize bytes of data end. Nothing when the
// local header is not there: the entry then fails before it writes anything.
std::optional<std::uint64_t> LocalRecordEnd(ArchiveStream& archive, const TZipHeader& central) {
  TZipHeader local;
  if (!AtLocalSignature(archive, central.LocalHeaderOffset) ||
      !ReadLocalFixedFields(archive, local)) {
    return std::nullopt;
  }
  return std::uint64_t{central.LocalHeaderOffset} + kLocalFixedSize + local.FileNameLength +
         local.ExtraFieldLength + central.CompressedSize;
}

}  // namespace

std::vector<TZipHeader> ReadCentralDirectory(ArchiveStream& archive) {
  const EndRecord record = ReadEndRecord(archive);
  archive.Seek(record.CentralDirectoryOffset);
  std::vector<TZipHeader> headers;
  for (std::uint16_t i = 0; i < record.Entries; ++i) headers.push_back(ReadCentralHeader(archive));
  return headers;
}

TZipHeader ReadLocalHeader(ArchiveStream& archive, std::uint32_t offset) {
  if (!AtLocalSignature(archive, offset)) {
    throw Error(kLocalSignatureInvalid);
  }
  TZipHeader h;
  if (!ReadLocalFixedFields(archive, h) || !ReadBytes(archive, h.FileNameLength, h.FileName) ||
      !ReadBytes(archive, h.ExtraFieldLength, h.ExtraField)) {
    throw Error(kStreamReadFailed);
  }
  return h;
}

std::vector<std::uint64_t> EntryReadLimits(ArchiveStream& archive,
                                           const std::vector<TZipHeader>& headers) {
  std::vector<std::uint64_t> limits(headers.size(), archive.Size());
  std::vector<std::size_t> by_offset(headers.size());
  std::iota(by_offset.begin(), by_offset.end(), std::size_t{0});
  std::sort(by_offset.begin(), by_offset.end(), [&headers](std::size_t a, std::size_t b) {
    return headers[a].LocalHeaderOffset < headers[b].LocalHeaderOffset;
  });
  std::optional<std::size_t> previous;
  std::uint64_t taken_up_to = 0;
  for (const std::size_t i : by_offset) {
    const auto end = LocalRecordEnd(archive, headers[i]);
    if (!end) continue;
    const std::uint32_t offset = headers[i].LocalHeaderOffset;
    if (offset < taken_up_to) ThrowZipReadError();
    if (previous) limits[*previous] = offset;
    previous = i;
    taken_up_to = *end;
  }
  return limits;
}
