#include "feed/feed_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "app/base/error.h"
#include "app/base/utf.h"

namespace {

constexpr std::size_t kChunk = 256 * 1024;  // the reader's chunk, to aim at its seams

// Hands out the bytes at most `step` at a time.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes, std::size_t step = SIZE_MAX)
      : bytes_(std::move(bytes)), step_(step) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, step_, bytes_.size() - position_});
    std::copy_n(bytes_.data() + position_, n, buffer);
    position_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t step_;
  std::size_t position_ = 0;
};

class MemorySink : public ByteSink {
 public:
  void Write(const char* bytes, std::size_t size) override { written.append(bytes, size); }
  std::string written;
};

std::u16string Read(std::string bytes, std::size_t step = SIZE_MAX) {
  MemorySource source(bytes, step);
  return ReadFeedText(source, bytes.size());
}

std::string Copy(std::u16string_view text) {
  MemorySink sink;
  WriteUtf8WithBom(text, sink);
  return sink.written;
}

std::u16string ErrorOf(std::string bytes) {
  try {
    Read(std::move(bytes));
  } catch (const Error& e) {
    return e.text();
  }
  return u"(no error)";
}

const std::u16string kInvalidText =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";

}  // namespace

TEST(FeedText, LoadDropsOneBomAndBringsEveryBreakToCrLf) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  for (const Case& c : {
           Case{"a,b\nc,d\n", u"a,b\r\nc,d\r\n"},
           Case{"\xEF\xBB\xBF"
                "a\r\n",
                u"a\r\n"},
           Case{"\xEF\xBB\xBF\xEF\xBB\xBF"
                "a",
                u"\uFEFFa"},
           Case{"a,b\nlast", u"a,b\r\nlast"},
           Case{"", u""},
           Case{"\xEF\xBB\xBF", u""},
           Case{"\xEF\xBB", u"(invalid)"},
           Case{"a\rb\nc\r\nd", u"a\r\nb\r\nc\r\nd"},
           Case{"a\r\r\nb", u"a\r\n\r\nb"},
           Case{"a\n\rb", u"a\r\n\r\nb"},
           Case{"\r", u"\r\n"},
           Case{"\n\n", u"\r\n\r\n"},
           Case{std::string("a\0b\tc\"", 6), std::u16string(u"a\0b\tc\"", 6)},
           Case{"\"x,y\",\xE6\x9D\xB1\xE4\xBA\xAC\xF0\x9F\x9A\x83\xC3\xA9",
                u"\"x,y\",東京\U0001F683é"},
       }) {
    if (c.text == u"(invalid)") {
      EXPECT_EQ(ErrorOf(c.bytes), kInvalidText);
    } else {
      EXPECT_EQ(Read(c.bytes), c.text) << c.bytes;
      EXPECT_EQ(Read(c.bytes, 1), c.text) << c.bytes;
    }
  }
}

TEST(FeedText, LoadRefusesEveryInvalidForm) {
  for (const std::string& bytes : {
           std::string("\xC0\x80"), std::string("\xC1\xBF"),                  // overlong, 2 bytes
           std::string("\xE0\x80\x80"), std::string("\xE0\x9F\xBF"),          // overlong, 3 bytes
           std::string("\xF0\x8F\xBF\xBF"),                                   // overlong, 4 bytes
           std::string("\xED\xA0\x80"), std::string("\xED\xBF\xBF"),          // surrogates
           std::string("\xF4\x90\x80\x80"), std::string("\xF5\x80\x80\x80"),  // > U+10FFFF
           std::string("\xFF"), std::string("\x80"), std::string("a\xBF"), std::string("\xE3\x81"),
           std::string("a,b\n\xF0\x9F\x9A"),  // cut short at the end
           std::string("\xE3\x81"
                       "a"),
           std::string("\xE3"
                       "\r\n"),                         // cut short inside
           std::string("\x93\xFA\x96\x7B,\x89\x77\n"),  // Shift_JIS
           std::string("\xFF\xFE"
                       "a\0,\0b\0",
                       8),  // UTF-16 with its BOM
       }) {
    EXPECT_EQ(ErrorOf(bytes), kInvalidText) << ::testing::PrintToString(bytes);
  }
}

TEST(FeedText, LoadIsTheSameAcrossTheReadersSeams) {
  // Break pairs and multi-byte sequences torn by the chunk seam; a BOM there is text.
  struct Case {
    std::string tail;
    std::u16string text;
  };
  for (const Case& c :
       {Case{"\r\nz", u"\r\nz"}, Case{"\r\rz", u"\r\n\r\nz"}, Case{"\n\rz", u"\r\n\r\nz"},
        Case{"\xE3\x81\x82z", u"あz"}, Case{"\xF0\x9F\x9A\x83z", u"\U0001F683z"},
        Case{"\xEF\xBB\xBFz", u"\uFEFFz"}}) {
    for (std::size_t lead = kChunk - 4; lead <= kChunk + 1; ++lead) {
      EXPECT_EQ(Read(std::string(lead, 'x') + c.tail), std::u16string(lead, u'x') + c.text) << lead;
    }
  }
  EXPECT_EQ(ErrorOf(std::string(kChunk - 1, 'x') + "\xE3\x81"), kInvalidText);
}

TEST(FeedText, TextTooLargeForMemoryIsReported) {
  MemorySource source("a");
  try {
    ReadFeedText(source, UINT64_MAX / 2);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.text(), u"テキストがメモの容量を超えています");
  }
}

TEST(FeedText, TabTextReplacesEveryCommaAndKeepsTheLength) {
  const std::u16string text = u"a,\"b,c\",,東\r\n" + std::u16string(100, u',') + u"z";
  const std::u16string tab = MakeTabText(text);
  ASSERT_EQ(tab.size(), text.size());
  EXPECT_EQ(tab, u"a\t\"b\tc\"\t\t東\r\n" + std::u16string(100, u'\t') + u"z");
}

TEST(FeedText, CopyIsBomAndUtf8) {
  EXPECT_EQ(Copy(u""), "\xEF\xBB\xBF");
  EXPECT_EQ(Copy(u"a,b\r\nc,d\r\n"),
            "\xEF\xBB\xBF"
            "a,b\r\nc,d\r\n");
  const std::u16string mixed = std::u16string(40, u'a') + u"é東\U0001F683" +
                               std::u16string(u"\0,", 2) + std::u16string(17, u'b') + u"\u07FF";
  EXPECT_EQ(Copy(mixed), "\xEF\xBB\xBF" + Utf16ToUtf8(mixed));
  // An unpaired surrogate cannot come from a load; it would still give valid UTF-8.
  EXPECT_EQ(Copy(u"a\xD800"
                 "b\xDC00"),
            "\xEF\xBB\xBF"
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

TEST(FeedText, CopyKeepsPairsWholeAcrossItsBlocks) {
  for (std::size_t lead : {64 * 1024 - 2, 64 * 1024 - 1, 64 * 1024}) {
    const std::u16string text = std::u16string(lead, u'a') + u"\U0001F683\U0001F683z";
    EXPECT_EQ(Copy(text), "\xEF\xBB\xBF" + Utf16ToUtf8(text)) << lead;
  }
}

TEST(FeedText, LoadThenCopyGivesTheNormalisedBytes) {
  std::string bytes;
  for (int i = 0; i < 50000; ++i) bytes += "1,\xE6\x9D\xB1\xE4\xBA\xAC,\"a,b\"\r\n2,x\n3\r";
  std::string expected = "\xEF\xBB\xBF";
  for (int i = 0; i < 50000; ++i) expected += "1,\xE6\x9D\xB1\xE4\xBA\xAC,\"a,b\"\r\n2,x\r\n3\r\n";
  EXPECT_EQ(Copy(Read(bytes)), expected);
}
