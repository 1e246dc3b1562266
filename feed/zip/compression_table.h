#pragma once
// The process-wide table of decompressors, keyed by the low byte of an entry's method.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "feed/zip/archive_stream.h"

using TZipCompression = std::uint8_t;

// An entry's decompressed bytes.
class TEntryStream {
 public:
  virtual ~TEntryStream() = default;
  // Fewer bytes than asked only where the entry's data ends.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
};

// Makes the stream that reads an entry's data from the archive's current position.
using TStreamConstructor = std::function<std::unique_ptr<TEntryStream>(ArchiveStream& archive)>;

void RegisterCompressionHandler(TZipCompression method, TStreamConstructor constructor);
// Null when the method has no row.
const TStreamConstructor* FindCompressionHandler(TZipCompression method);

// Rows 0 (stored) and 8 (raw deflate); calling it again changes nothing.
void RegisterStandardCompressionHandlers();
