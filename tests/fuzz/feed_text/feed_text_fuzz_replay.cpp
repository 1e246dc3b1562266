// feed_text_fuzz_replay SEED_FOLDER: every seed through the feed-text fuzz entry, in name order;
// a difference from the references aborts and fails the test.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/feed_text/feed_text_fuzz_entry.h"

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
    FuzzFeedText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu seeds replayed\n", seeds.size());
  return seeds.empty() ? 1 : 0;
}
