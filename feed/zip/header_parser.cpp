#include "feed/zip/header_parser.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "base/error.h"

namespace {

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kLocalFixedSize = 30;
constexpr std::uint64_t kEndSearchSpan = 65535;
constexpr std::array<std::uint8_t, 4> kEndSignature = {0x50, 0x4B, 0x05, 0x06};
constexpr std::array<std::uint8_t, 4> kCentralSignature = {0x50, 0x4B, 0x01, 0x02};
constexpr std::array<std::uint8_t, 4> kLocalSignature = {0x50, 0x4B, 0x03, 0x04};

[[noreturn]] void ThrowZipReadError() {
  throw Error(u"zip ファイルを読み取る際にエラーが発生しました");
}

[[noreturn]] void ThrowStreamReadError() {
  throw Error(u"ストリームからの読み取りエラー");
}

bool ReadBytes(ArchiveStream& archive, std::size_t count, std::string& bytes) {
  bytes.resize(count);
  return archive.ReadExact(reinterpret_cast<std::uint8_t*>(bytes.data()), count);
}

// The signature nearest to the end within the searched tail; a record cut short counts as
// damage rather than as no record.
std::vector<std::uint8_t> ReadEndRecord(ArchiveStream& archive) {
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
  return {found, found + kEndRecordSize};
}

// The fields a local header shares with a central one, RequiredVersion to ExtraFieldLength.
void ReadSharedFields(FieldReader& field, TZipHeader& h) {
  h.RequiredVersion = field.U16();
  h.Flag = field.U16();
  h.CompressionMethod = field.U16();
  h.ModifiedDateTime = field.U32();
  h.CRC32 = field.U32();
  h.CompressedSize = field.U32();
  h.UncompressedSize = field.U32();
  h.FileNameLength = field.U16();
  h.ExtraFieldLength = field.U16();
}

TZipHeader ReadCentralHeader(ArchiveStream& archive) {
  std::array<std::uint8_t, 46> fixed{};
  if (!archive.ReadExact(fixed.data(), 4)) ThrowZipReadError();
  if (!std::equal(kCentralSignature.begin(), kCentralSignature.end(), fixed.begin())) {
    throw Error(u"Zip セントラル ヘッダーのシグネチャが無効です");
  }
  if (!archive.ReadExact(fixed.data() + 4, fixed.size() - 4)) ThrowZipReadError();
  FieldReader field(fixed.data() + 4);
  TZipHeader h;
  h.MadeByVersion = field.U16();
  ReadSharedFields(field, h);
  h.FileCommentLength = field.U16();
  h.DiskNumberStart = field.U16();
  h.InternalAttributes = field.U16();
  h.ExternalAttributes = field.U32();
  h.LocalHeaderOffset = field.U32();
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
  std::array<std::uint8_t, 4> signature{};
  archive.Read(signature.data(), signature.size());
  return signature == kLocalSignature;
}

// The fixed fields behind a local signature; false when the archive ends among them.
bool ReadLocalFixedFields(ArchiveStream& archive, TZipHeader& h) {
  std::array<std::uint8_t, kLocalFixedSize - 4> fixed{};
  if (!archive.ReadExact(fixed.data(), fixed.size())) return false;
  FieldReader field(fixed.data());
  ReadSharedFields(field, h);
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
  const auto record = ReadEndRecord(archive);
  const std::uint16_t count = FieldReader(record.data() + 10).U16();
  archive.Seek(FieldReader(record.data() + 16).U32());
  std::vector<TZipHeader> headers;
  for (std::uint16_t i = 0; i < count; ++i) headers.push_back(ReadCentralHeader(archive));
  return headers;
}

TZipHeader ReadLocalHeader(ArchiveStream& archive, std::uint32_t offset) {
  if (!AtLocalSignature(archive, offset)) {
    throw Error(u"Zip ローカル ヘッダーのシグネチャが無効です");
  }
  TZipHeader h;
  if (!ReadLocalFixedFields(archive, h) || !ReadBytes(archive, h.FileNameLength, h.FileName) ||
      !ReadBytes(archive, h.ExtraFieldLength, h.ExtraField)) {
    ThrowStreamReadError();
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
