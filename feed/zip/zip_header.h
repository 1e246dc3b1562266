#pragma once
#include <cstdint>
#include <string>

// The fields of a central-directory header in file order. A local header fills RequiredVersion
// through ExtraFieldLength, FileName and ExtraField only.
struct TZipHeader {
  std::uint16_t MadeByVersion = 0;
  std::uint16_t RequiredVersion = 0;
  std::uint16_t Flag = 0;
  std::uint16_t CompressionMethod = 0;
  std::uint32_t ModifiedDateTime = 0;  // MS-DOS time low, date high
  std::uint32_t CRC32 = 0;
  std::uint32_t CompressedSize = 0;
  std::uint32_t UncompressedSize = 0;
  std::uint16_t FileNameLength = 0;
  std::uint16_t ExtraFieldLength = 0;
  std::uint16_t FileCommentLength = 0;
  std::uint16_t DiskNumberStart = 0;
  std::uint16_t InternalAttributes = 0;
  std::uint32_t ExternalAttributes = 0;
  std::uint32_t LocalHeaderOffset = 0;
  std::string FileName;  // raw bytes
  std::string ExtraField;
  std::string FileComment;
};
