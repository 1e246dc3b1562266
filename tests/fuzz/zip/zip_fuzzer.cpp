#include "tests/fuzz/zip/zip_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzZipArchive(data, size);
  return 0;
}
