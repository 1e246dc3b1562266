#pragma once
// The archive's directory: the end record, the central headers and the local headers.
#include <cstdint>
#include <vector>

#include "feed/zip/archive_stream.h"
#include "feed/zip/zip_header.h"

// The central directory's entries in file order.
std::vector<TZipHeader> ReadCentralDirectory(ArchiveStream& archive);
// Leaves the archive at the entry's data.
TZipHeader ReadLocalHeader(ArchiveStream& archive, std::uint32_t offset);
// Where reading each entry's data has to stop: at the next local header in the file, or at the
// end of the archive. Throws on an archive where an entry's local header starts inside another
// entry's local header or data: the entries would share bytes, and a small archive could write
// without end.
std::vector<std::uint64_t> EntryReadLimits(ArchiveStream& archive,
                                           const std::vector<TZipHeader>& headers);
