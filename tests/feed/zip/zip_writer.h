#pragma once
// Builds small archives for the tests, with every header field under the test's control.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TestEntry {
  std::string name = "";
  std::string data = "";
  std::uint16_t method = 0;  // 8 deflates; any other value stores the data as it is
  // The data as it stands in the archive, when the test packs it itself; then crc and
  // uncompressed_size are the test's too.
  std::optional<std::string> packed = std::nullopt;
  std::uint16_t flag = 0x0800;
  std::uint16_t made_by = 0x0014;  // MS-DOS
  std::uint32_t external_attributes = 0x20;
  std::uint32_t dos_date_time = 0x58A6'38E5;  // 2024-05-06 07:07:10
  std::optional<std::uint32_t> local_dos_date_time = std::nullopt;
  std::optional<std::uint32_t> crc = std::nullopt;
  std::optional<std::uint32_t> uncompressed_size = std::nullopt;
  bool data_descriptor = false;  // sizes and CRC zero in the local header, given behind the data
  std::optional<std::string> local_name = std::nullopt;  // else the central name
  std::string local_extra = "";
  std::string central_extra = "";
  std::string comment = "";  // the entry's own, in the central directory
  // Where the central header points; set, the entry adds no local header or data of its own.
  std::optional<std::uint32_t> local_header_offset = std::nullopt;
};

std::string BuildZip(const std::vector<TestEntry>& entries, const std::string& comment = "");

// Overwrites bytes of an archive in place.
void Patch(std::string& archive, std::size_t offset, const std::string& bytes);
std::string U16Bytes(std::uint16_t value);
std::string U32Bytes(std::uint32_t value);
// Raw deflate of that many zero bytes, made piece by piece.
std::string DeflatedZeros(std::uint64_t count);
// zlib's CRC-32.
std::uint32_t Crc32(const std::string& data);
std::uint32_t Crc32Append(std::uint32_t crc, const std::string& data);
// Where the n-th occurrence of a signature ("PK\1\2" and so on) starts.
std::size_t FindSignature(const std::string& archive, const char* signature, int n = 0);
