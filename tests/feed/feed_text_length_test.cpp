#include "feed/feed_text_length.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::uint64_t Count(std::string_view bytes, std::size_t split) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  FeedTextLength length;
  length.Add(p, split);
  length.Add(p + split, bytes.size() - split);
  return length.units();
}

}  // namespace

TEST(FeedTextLength, CountsTheUnitsOfTheTextWhereverTheBytesAreSplit) {
  // Each case after 0 to 33 "x" and before a few "y", so that it meets every place of a 16-byte
  // block, fed in two parts split at every byte.
  struct Case {
    std::string_view bytes;
    std::uint64_t units;
  };
  for (const Case& c : {Case{"", 0},
                        Case{"a", 1},
                        Case{"\x7F", 1},
                        Case{"\r", 2},
                        Case{"\n", 2},
                        Case{"\r\n", 2},
                        Case{"\n\r", 4},
                        Case{"\r\r", 4},
                        Case{"\n\n", 4},
                        Case{"\r\r\n", 4},
                        Case{"\r\n\n", 4},
                        Case{"\r\n\r\n", 4},
                        Case{"\r,\n", 5},
                        Case{"\xC2\x80", 1},
                        Case{"\xDF\xBF", 1},
                        Case{"\xE0\xA0\x80", 1},
                        Case{"\xE3\x81\x82", 1},
                        Case{"\xEF\xBB\xBF", 1},
                        Case{"\xEF\xBF\xBF", 1},
                        Case{"\xF0\x90\x80\x80", 2},
                        Case{"\xF0\x9F\x9A\x83", 2},
                        Case{"\xF4\x8F\xBF\xBF", 2},
                        Case{"\xE6\x9D\xB1\xE4\xBA\xAC,\xF0\x9F\x9A\x83\r\n\xC3\xA9\r", 10}}) {
    for (std::size_t lead = 0; lead <= 33; ++lead) {
      for (const std::size_t tail : {0, 1, 15, 16, 17}) {
        const std::string bytes =
            std::string(lead, 'x') + std::string(c.bytes) + std::string(tail, 'y');
        for (std::size_t split = 0; split <= bytes.size(); ++split) {
          EXPECT_EQ(Count(bytes, split), lead + c.units + tail)
              << ::testing::PrintToString(std::string(c.bytes)) << " after " << lead << ", before "
              << tail << ", split at " << split;
        }
      }
    }
  }
}

TEST(FeedTextLength, KeepsCountingPastTheFlushOfItsByteCounters) {
  // Runs long enough that every byte place of the wide blocks counts far more than 255 times.
  struct Case {
    std::string_view bytes;
    std::uint64_t units;
  };
  for (const Case& c : {Case{"a", 1}, Case{"\n", 2}, Case{"\r", 2}, Case{"\r\n", 2},
                        Case{"\xE3\x81\x82", 1}, Case{"\xF0\x9F\x9A\x83", 2}}) {
    std::string bytes;
    for (int i = 0; i < 10000; ++i) bytes += c.bytes;
    EXPECT_EQ(Count(bytes, 0), 10000 * c.units) << ::testing::PrintToString(std::string(c.bytes));
  }
}
