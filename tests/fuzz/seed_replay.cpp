// REPLAY SEED_FOLDER: every seed, in name order, through the fuzz target's own entry point, linked
// in from its source; an abort there fails the test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
    return 2;
  }
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) seeds.push_back(entry);
  std::sort(seeds.begin(), seeds.end());
  for (const auto& seed : seeds) {
    std::ifstream in(seed, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu seeds replayed\n", seeds.size());
  return seeds.empty() ? 1 : 0;
}
