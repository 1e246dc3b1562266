#pragma once
#include <cstddef>
#include <cstdint>

// Extracts the bytes as an archive into a folder held in memory. Failures the reader reports
// are fine; a path that would land outside the folder aborts, and so does any other exception.
void FuzzZipArchive(const std::uint8_t* data, std::size_t size);
