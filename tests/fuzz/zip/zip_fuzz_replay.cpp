// feed_zip_fuzz_replay SEED_FOLDER: every seed through the fuzz entry; a crash fails the test.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/zip/zip_fuzz_entry.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
    return 2;
  }
  int count = 0;
  for (const auto& seed : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream in(seed.path(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    FuzzZipArchive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++count;
  }
  std::printf("%d seeds replayed\n", count);
  return count > 0 ? 0 : 1;
}
