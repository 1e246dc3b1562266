#include "feed/feed_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "base/error.h"
#include "tests/feed/memory_streams.h"

using namespace std::literals;

namespace {

// How the bytes reach the decoder: pieces of `piece` bytes, read at most `step` at a time.
struct Reading {
  std::size_t piece, step;
};

// Every file here in one piece, then small pieces that tear sequences, breaks and the BOM at
// every offset, some fed by short reads; 16 and 17 put the seams around a wide block.
constexpr Reading kWhole = {4096, SIZE_MAX};
constexpr Reading kReadings[] = {kWhole,        {3, SIZE_MAX}, {3, 1},         {4, 2},
                                 {5, SIZE_MAX}, {7, 3},        {16, SIZE_MAX}, {17, 5}};

const std::u16string kInvalidText =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";
const std::u16string kRefused = u"(refused)";

// The text, or kRefused when the load fails with the invalid-text message.
std::u16string Load(std::string_view bytes, Reading reading) {
  MemorySource source(bytes, reading.step);
  try {
    return ReadFeedText(source, bytes.size(), reading.piece);
  } catch (const Error& e) {
    return e.text() == kInvalidText ? kRefused : u"(other error) " + e.text();
  }
}

std::string Copy(std::u16string_view text) {
  MemorySink sink;
  WriteUtf8WithBom(text, sink);
  return sink.written;
}

// The case after 0 to 17 leading "x", so that it starts at every offset of the small pieces.
void ExpectLoad(std::string_view bytes, std::u16string_view text) {
  for (std::size_t lead = 0; lead <= 17; ++lead) {
    const std::u16string expected =
        text == kRefused ? kRefused : std::u16string(lead, u'x') + std::u16string(text);
    for (const Reading& r : kReadings) {
      EXPECT_EQ(Load(std::string(lead, 'x') + std::string(bytes), r), expected)
          << ::testing::PrintToString(std::string(bytes)) << " after " << lead << " x, piece "
          << r.piece << ", step " << r.step;
    }
  }
}

}  // namespace

// Which sequences are valid is the strict decoder's table (tests/base); here each kind meets
// every piece seam and read size, where the load must carry a cut sequence to the next piece.
TEST(FeedText, LoadDecodesEachLengthAcrossEveryPieceSeam) {
  struct Case {
    std::string_view bytes;
    std::u16string_view text;
  };
  for (const Case& c :
       {Case{"\x7F", u"\u007F"}, Case{"\xC3\xA9", u"é"}, Case{"\xE3\x81\x82", u"あ"},
        Case{"\xEF\xBF\xBF", u"\uFFFF"}, Case{"\xF0\x9F\x9A\x83", u"\U0001F683"},
        Case{"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        Case{"\"x,y\",\xE6\x9D\xB1\xE4\xBA\xAC\t\xF0\x9F\x9A\x83\xC3\xA9",
             u"\"x,y\",東京\t\U0001F683é"},
        Case{"a\0b"sv, u"a\0b"sv}}) {
    ExpectLoad(c.bytes, c.text);
  }
}

TEST(FeedText, LoadRefusesInvalidFormsAcrossEveryPieceSeam) {
  for (const std::string_view bytes :
       {"\x80"sv, "\xC0\xAF"sv, "\xF5\x80\x80\x80"sv, "\xE0\x9F\xBF"sv, "\xED\xA0\x80"sv,
        "\xF4\x90\x80\x80"sv, "\xE3\x41\x82"sv, "\xF0\x9F\x9A\xC0"sv,
        // Cut short at the end of the file and inside it.
        "\xE3\x81"sv, "\xF0\x9F\x9A"sv, "a,b\n\xF0\x9F\x9A"sv, "\xE3\x81 a"sv, "\xF0\x9F\x9A,"sv,
        "\xE3\r\n"sv,
        // Shift_JIS, and UTF-16 with its BOM.
        "\x93\xFA\x96\x7B,\x89\x77\n"sv, "\xFF\xFE\x61\0,\0\x62\0"sv}) {
    ExpectLoad(bytes, kRefused);
  }
}

TEST(FeedText, LoadDropsOnlyOneLeadingBom) {
  // Not preceded by "x": a BOM counts only at the very start.
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const std::string bom = "\xEF\xBB\xBF";
  for (const Case& c :
       {Case{"", u""}, Case{bom, u""}, Case{bom + "a", u"a"}, Case{bom + "\n", u"\r\n"},
        Case{bom + bom + "a", u"\uFEFFa"}, Case{bom + bom + bom, u"\uFEFF\uFEFF"},
        Case{bom + "abc" + bom + "d", u"abc\uFEFFd"}, Case{"a" + bom, u"a\uFEFF"},
        Case{"\xEF\xBB\xBE", u"\uFEFE"}, Case{"\xEF\xBF\xBF", u"\uFFFF"}, Case{"\xEF", kRefused},
        Case{"\xEF\xBB", kRefused}, Case{"\xEF\xBB,", kRefused}, Case{"\xBB\xBF", kRefused},
        Case{"\xFE\xFF", kRefused}}) {
    for (const Reading& r : kReadings) {
      EXPECT_EQ(Load(c.bytes, r), c.text)
          << ::testing::PrintToString(c.bytes) << " piece " << r.piece << ", step " << r.step;
    }
  }
}

TEST(FeedText, LoadBringsEveryBreakToCrLf) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  for (const Case& c :
       {Case{"a,b\nc,d\n", u"a,b\r\nc,d\r\n"}, Case{"a,b\nlast", u"a,b\r\nlast"},
        Case{"a\rb\nc\r\nd", u"a\r\nb\r\nc\r\nd"}, Case{"a\r\r\nb", u"a\r\n\r\nb"},
        Case{"a\n\rb", u"a\r\n\r\nb"}, Case{"a\n\r\nb", u"a\r\n\r\nb"},
        Case{"a\r\n\nb", u"a\r\n\r\nb"}, Case{"\r", u"\r\n"}, Case{"\n", u"\r\n"},
        Case{"\r\n", u"\r\n"}, Case{"\n\n", u"\r\n\r\n"}, Case{"\r\r", u"\r\n\r\n"},
        Case{"ab\r", u"ab\r\n"}, Case{"\r\xC3\xA9\n", u"\r\né\r\n"},
        Case{"\xC3\xA9\r\n\xC3\xA9", u"é\r\né"}, Case{"a\tb\"c\v\f", u"a\tb\"c\v\f"}}) {
    for (const Reading& r : kReadings) {
      EXPECT_EQ(Load(c.bytes, r), c.text)
          << ::testing::PrintToString(c.bytes) << " piece " << r.piece << ", step " << r.step;
    }
  }
}

TEST(FeedText, CrThenLfIsOneBreakOnlyWhenAdjacentWhereverThePiecesEnd) {
  // The first break after `before` bytes, the second after `gap` more: the CR at a piece's end
  // and the LF at the next one's start, or one or more whole pieces apart.
  struct Pair {
    char first, second;
    bool one_break_when_adjacent;
  };
  for (const Pair& pair : {Pair{'\r', '\n', true}, Pair{'\r', '\r', false}, Pair{'\n', '\r', false},
                           Pair{'\n', '\n', false}}) {
    for (const std::size_t piece : {3, 4, 5, 8}) {
      for (std::size_t before = 0; before <= 2 * piece; ++before) {
        for (std::size_t gap = 0; gap <= 2 * piece + 1; ++gap) {
          const std::string bytes =
              std::string(before, 'a') + pair.first + std::string(gap, 'b') + pair.second + "c";
          const bool one_break = gap == 0 && pair.one_break_when_adjacent;
          const std::u16string text = std::u16string(before, u'a') + u"\r\n" +
                                      std::u16string(gap, u'b') + (one_break ? u"" : u"\r\n") +
                                      u"c";
          EXPECT_EQ(Load(bytes, {piece, SIZE_MAX}), text)
              << ::testing::PrintToString(bytes) << " piece " << piece;
        }
      }
    }
  }
}

TEST(FeedText, LoadFindsBreaksAndOtherBytesAtEveryPlaceOfAWideBlock) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  for (const Case& c :
       {Case{"", u""}, Case{"\r", u"\r\n"}, Case{"\n", u"\r\n"}, Case{"\r\n", u"\r\n"},
        Case{"\x7F", u"\x7F"}, Case{"\x01", u"\x01"}, Case{"\xC3\xA9", u"é"},
        Case{"\xE3\x81\x82", u"あ"}, Case{"\x80", kRefused}, Case{"\xFF", kRefused}}) {
    for (std::size_t lead = 0; lead <= 40; ++lead) {
      for (std::size_t tail : {0, 1, 15, 16, 17, 33}) {
        const std::string bytes = std::string(lead, 'a') + c.bytes + std::string(tail, 'b');
        const std::u16string text =
            c.text == kRefused ? kRefused
                               : std::u16string(lead, u'a') + c.text + std::u16string(tail, u'b');
        EXPECT_EQ(Load(bytes, kWhole), text) << ::testing::PrintToString(bytes);
      }
    }
  }
}

TEST(FeedText, TextTooLargeForMemoryIsReported) {
  MemorySource source("a", SIZE_MAX);
  try {
    ReadFeedText(source, UINT64_MAX / 2);
    FAIL() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.text(), u"テキストがメモの容量を超えています");
  }
}

TEST(FeedText, TextHoldsNoMoreMemoryThanItsLengthAndOnePiece) {
  // The tab text keeps this memory through the clipboard copy. Lone breaks grow to CR LF, so a
  // text can hold more units than its file has bytes.
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  for (const Case& c : {Case{"a,b,c\r\n", u"a,b,c\r\n"},
                        Case{"\xE6\x9D\xB1\xE4\xBA\xAC,\xE9\xA7\x85\r\n", u"東京,駅\r\n"},
                        Case{"\xF0\x9F\x9A\x83,", u"\U0001F683,"}, Case{"\n", u"\r\n"},
                        Case{"\r", u"\r\n"}, Case{"\xC3\xA9\n", u"é\r\n"}}) {
    for (const bool bom : {false, true}) {
      std::string bytes = bom ? "\xEF\xBB\xBF" : "";
      std::u16string text;
      for (int i = 0; i < 20000; ++i) bytes += c.bytes, text += c.text;
      for (const Reading& r : kReadings) {
        MemorySource source(bytes, r.step);
        const std::u16string loaded = ReadFeedText(source, bytes.size(), r.piece);
        EXPECT_TRUE(loaded == text) << ::testing::PrintToString(c.bytes) << " piece " << r.piece;
        EXPECT_LE(loaded.capacity(), text.size() + r.piece)
            << ::testing::PrintToString(c.bytes) << " bom " << bom << " piece " << r.piece
            << ", step " << r.step;
      }
    }
  }
}

TEST(FeedText, TabTextTurnsEveryCommaAndNothingElseIntoATab) {
  // Each unit alone at every place of the 8-unit blocks and the scalar tail; the near misses
  // share a byte with ",", or are commas of other scripts.
  struct Case {
    char16_t unit, tab_unit;
  };
  for (const Case& c : {Case{u',', u'\t'}, Case{u'+', u'+'}, Case{u'-', u'-'}, Case{u'\t', u'\t'},
                        Case{u'\0', u'\0'}, Case{u'\u012C', u'\u012C'}, Case{u'\u2C00', u'\u2C00'},
                        Case{u'\u2C2C', u'\u2C2C'}, Case{u'\u0C2C', u'\u0C2C'},
                        Case{u'\uFF0C', u'\uFF0C'}, Case{u'\u3001', u'\u3001'}}) {
    for (std::size_t size = 1; size <= 40; ++size) {
      for (std::size_t at = 0; at < size; ++at) {
        std::u16string text(size, u'a'), tab(size, u'a');
        text[at] = c.unit;
        tab[at] = c.tab_unit;
        EXPECT_EQ(MakeTabText(text), tab) << static_cast<int>(c.unit) << " at " << at;
      }
    }
  }
  for (std::size_t size = 0; size <= 40; ++size) {
    EXPECT_EQ(MakeTabText(std::u16string(size, u',')), std::u16string(size, u'\t'));
  }
  EXPECT_EQ(MakeTabText(u"a,\"b,c\",,東\r\n,"), u"a\t\"b\tc\"\t\t東\r\n\t");
}

TEST(FeedText, CopyIsBomAndUtf8AtEveryBound) {
  struct Case {
    std::u16string text;
    std::string bytes;  // after the BOM
  };
  for (const Case& c :
       {Case{u"", ""}, Case{u"a,b\r\nc,d\r\n", "a,b\r\nc,d\r\n"},
        Case{std::u16string(u"\0", 1), std::string("\0", 1)}, Case{u"\u007F", "\x7F"},
        Case{u"\u0080", "\xC2\x80"}, Case{u"é", "\xC3\xA9"}, Case{u"\u00FF", "\xC3\xBF"},
        Case{u"\u0100", "\xC4\x80"}, Case{u"\u07FF", "\xDF\xBF"}, Case{u"\u0800", "\xE0\xA0\x80"},
        Case{u"\uD7FF", "\xED\x9F\xBF"}, Case{u"\uE000", "\xEE\x80\x80"},
        Case{u"\uFEFF", "\xEF\xBB\xBF"}, Case{u"\uFFFF", "\xEF\xBF\xBF"},
        Case{u"\U00010000", "\xF0\x90\x80\x80"}, Case{u"\U0001F683", "\xF0\x9F\x9A\x83"},
        Case{u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        // Unpaired surrogates cannot come from a load; they still give valid UTF-8.
        Case{{0xD800, u' '}, "\xEF\xBF\xBD "}, Case{{u'a', 0xDBFF}, "a\xEF\xBF\xBD"},
        Case{{0xDC00, 0xD800}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        Case{{0xD800, 0xD800, 0xDC00}, "\xEF\xBF\xBD\xF0\x90\x80\x80"}}) {
    for (std::size_t lead : {0, 1, 7, 8, 15, 16, 17, 31, 32, 33}) {
      for (std::size_t tail : {0, 1, 15, 16, 17}) {
        const std::u16string text =
            std::u16string(lead, u'a') + c.text + std::u16string(tail, u'z');
        EXPECT_EQ(Copy(text),
                  "\xEF\xBB\xBF" + std::string(lead, 'a') + c.bytes + std::string(tail, 'z'))
            << ::testing::PrintToString(c.bytes) << " after " << lead << ", before " << tail;
      }
    }
  }
}

TEST(FeedText, CopyKeepsPairsWholeAcrossItsBlocks) {
  for (std::size_t lead = 64 * 1024 - 3; lead <= 64 * 1024 + 1; ++lead) {
    const std::u16string text = std::u16string(lead, u'a') + u"\U0001F683\U0001F683,";
    EXPECT_EQ(Copy(text),
              "\xEF\xBB\xBF" + std::string(lead, 'a') + "\xF0\x9F\x9A\x83\xF0\x9F\x9A\x83,")
        << lead;
    std::u16string unpaired = std::u16string(lead, u'a') + u'\xD83D';
    EXPECT_EQ(Copy(unpaired + u','), "\xEF\xBB\xBF" + std::string(lead, 'a') + "\xEF\xBF\xBD,")
        << lead;
    EXPECT_EQ(Copy(unpaired), "\xEF\xBB\xBF" + std::string(lead, 'a') + "\xEF\xBF\xBD") << lead;
  }
}

TEST(FeedText, LoadThenCopyGivesTheNormalisedBytes) {
  std::string bytes;
  for (int i = 0; i < 50000; ++i) bytes += "1,\xE6\x9D\xB1\xE4\xBA\xAC,\"a,b\"\r\n2,x\n3\r";
  std::string expected = "\xEF\xBB\xBF";
  for (int i = 0; i < 50000; ++i) expected += "1,\xE6\x9D\xB1\xE4\xBA\xAC,\"a,b\"\r\n2,x\r\n3\r\n";
  MemorySource source(bytes, SIZE_MAX);
  const std::string copy = Copy(ReadFeedText(source, bytes.size()));
  // Not EXPECT_EQ: its line diff of 150000 lines would take gigabytes.
  const auto differs = std::mismatch(copy.begin(), copy.end(), expected.begin(), expected.end());
  EXPECT_TRUE(copy == expected) << "first difference at byte " << differs.first - copy.begin();
}
