#pragma once
#include <cstddef>
#include <cstdint>

// Extracts the bytes as an archive into a scratch folder of this process, which is emptied
// again afterwards. Failures the reader reports are fine; anything written outside the folder
// aborts.
void FuzzZipArchive(const std::uint8_t* data, std::size_t size);
