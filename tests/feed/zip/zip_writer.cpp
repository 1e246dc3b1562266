#include "tests/feed/zip/zip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

std::string U16Bytes(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string U32Bytes(std::uint32_t value) {
  return U16Bytes(static_cast<std::uint16_t>(value)) +
         U16Bytes(static_cast<std::uint16_t>(value >> 16));
}

namespace {

std::string RawDeflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string Length(const std::string& field) {
  return U16Bytes(static_cast<std::uint16_t>(field.size()));
}

}  // namespace

std::string DeflatedZeros(std::uint64_t count) {
  const std::string zeros(1 << 20, '\0');
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out;
  char piece[1 << 16];
  for (std::uint64_t left = count;;) {
    const auto take = static_cast<uInt>(std::min<std::uint64_t>(left, zeros.size()));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    z.avail_in = take;
    left -= take;
    const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
    int status = Z_OK;
    do {
      z.next_out = reinterpret_cast<Bytef*>(piece);
      z.avail_out = sizeof piece;
      status = deflate(&z, flush);
      out.append(piece, sizeof piece - z.avail_out);
    } while (z.avail_out == 0);
    if (status == Z_STREAM_END) break;
  }
  deflateEnd(&z);
  return out;
}

std::uint32_t Crc32(const std::string& data) {
  return Crc32Append(0, data);
}

std::uint32_t Crc32Append(std::uint32_t crc, const std::string& data) {
  return static_cast<std::uint32_t>(
      crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string BuildZip(const std::vector<TestEntry>& entries, const std::string& comment) {
  std::string body, directory;
  for (const auto& e : entries) {
    const std::string packed = e.packed ? *e.packed : e.method == 8 ? RawDeflate(e.data) : e.data;
    const auto crc = e.crc.value_or(Crc32(e.data));
    const auto size = e.uncompressed_size.value_or(static_cast<std::uint32_t>(e.data.size()));
    const auto packed_size = static_cast<std::uint32_t>(packed.size());
    const std::uint16_t flag = e.flag | (e.data_descriptor ? 0x08 : 0);
    const auto& local_name = e.local_name.value_or(e.name);
    const auto offset = e.local_header_offset.value_or(static_cast<std::uint32_t>(body.size()));
    if (!e.local_header_offset) {
      body += "PK\3\4" + U16Bytes(20) + U16Bytes(flag) + U16Bytes(e.method) +
              U32Bytes(e.local_dos_date_time.value_or(e.dos_date_time)) +
              U32Bytes(e.data_descriptor ? 0 : crc) +
              U32Bytes(e.data_descriptor ? 0 : packed_size) +
              U32Bytes(e.data_descriptor ? 0 : size) + Length(local_name) + Length(e.local_extra) +
              local_name + e.local_extra + packed;
      if (e.data_descriptor)
        body += "PK\7\x08" + U32Bytes(crc) + U32Bytes(packed_size) + U32Bytes(size);
    }
    directory += "PK\1\2" + U16Bytes(e.made_by) + U16Bytes(20) + U16Bytes(flag) +
                 U16Bytes(e.method) + U32Bytes(e.dos_date_time) + U32Bytes(crc) +
                 U32Bytes(packed_size) + U32Bytes(size) + Length(e.name) + Length(e.central_extra) +
                 Length(e.comment) + U16Bytes(0) + U16Bytes(0) + U32Bytes(e.external_attributes) +
                 U32Bytes(offset) + e.name + e.central_extra + e.comment;
  }
  const auto count = static_cast<std::uint16_t>(entries.size());
  return body + directory + "PK\5\6" + U16Bytes(0) + U16Bytes(0) + U16Bytes(count) +
         U16Bytes(count) + U32Bytes(static_cast<std::uint32_t>(directory.size())) +
         U32Bytes(static_cast<std::uint32_t>(body.size())) +
         U16Bytes(static_cast<std::uint16_t>(comment.size())) + comment;
}

void Patch(std::string& archive, std::size_t offset, const std::string& bytes) {
  archive.replace(offset, bytes.size(), bytes);
}

std::size_t FindSignature(const std::string& archive, const char* signature, int n) {
  std::size_t at = archive.find(signature);
  while (n-- > 0 && at != std::string::npos) at = archive.find(signature, at + 1);
  if (at == std::string::npos) throw std::logic_error("signature not in the archive");
  return at;
}
