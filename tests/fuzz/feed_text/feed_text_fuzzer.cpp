#include "tests/fuzz/feed_text/feed_text_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFeedText(data, size);
  return 0;
}
