#include "base/strict_utf8.h"

#include <gtest/gtest.h>

using namespace std::literals;

namespace {

// The decoded text, or nullopt when the bytes are refused.
std::optional<std::u16string> Strict(std::string_view bytes) {
  std::u16string out;
  if (!DecodeStrictUtf8(bytes, out)) return std::nullopt;
  return out;
}

// What one sequence at the start of the bytes is, the bytes ending where they end.
Utf8Sequence SequenceAt(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t length = 0, units = 0;
  char16_t out[2];
  return DecodeUtf8Sequence(p, p + bytes.size(), length, out, units);
}

}  // namespace

TEST(StrictUtf8, DecodesEveryLengthUpToItsBounds) {
  struct Case {
    std::string_view bytes;
    std::u16string_view text;
  };
  for (const Case& c : {Case{"", u""},
                        Case{"\x7F", u"\u007F"},
                        Case{"\xC2\x80", u"\u0080"},
                        Case{"\xC3\xA9", u"é"},
                        Case{"\xDF\xBF", u"\u07FF"},
                        Case{"\xE0\xA0\x80", u"\u0800"},
                        Case{"\xE1\x80\x80", u"\u1000"},
                        Case{"\xE1\xBF\xBF", u"\u1FFF"},
                        Case{"\xE3\x81\x82", u"あ"},
                        Case{"\xED\x80\x80", u"\uD000"},
                        Case{"\xED\x9F\xBF", u"\uD7FF"},
                        Case{"\xEE\x80\x80", u"\uE000"},
                        Case{"\xEF\xBB\xBF", u"\uFEFF"},
                        Case{"\xEF\xBF\xBF", u"\uFFFF"},
                        Case{"\xF0\x90\x80\x80", u"\U00010000"},
                        Case{"\xF0\x9F\x9A\x83", u"\U0001F683"},
                        Case{"\xF1\x80\x80\x80", u"\U00040000"},
                        Case{"\xF3\xBF\xBF\xBF", u"\U000FFFFF"},
                        Case{"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
                        Case{"\"x,y\",\xE6\x9D\xB1\xE4\xBA\xAC\t\xF0\x9F\x9A\x83\xC3\xA9",
                             u"\"x,y\",東京\t\U0001F683é"},
                        Case{"a\0b"sv, u"a\0b"sv}}) {
    EXPECT_EQ(Strict(c.bytes), std::u16string(c.text)) << ::testing::PrintToString(c.bytes);
  }
}

TEST(StrictUtf8, RefusesEveryInvalidForm) {
  for (const std::string_view bytes :
       {// Continuation bytes without a lead.
        "\x80"sv, "\xBF"sv, "\xC3\xA9\x80"sv,
        // Lead bytes that no valid sequence starts with.
        "\xC0\x80"sv, "\xC0\xAF"sv, "\xC1\xBF"sv, "\xF5\x80\x80\x80"sv, "\xF7\xBF\xBF\xBF"sv,
        "\xF8\x88\x80\x80\x80"sv, "\xFC\x84\x80\x80\x80\x80"sv, "\xFE"sv, "\xFF"sv,
        // Overlong, surrogates and above U+10FFFF, just past each valid bound.
        "\xE0\x80\x80"sv, "\xE0\x9F\xBF"sv, "\xF0\x80\x80\x80"sv, "\xF0\x8F\xBF\xBF"sv,
        "\xED\xA0\x80"sv, "\xED\xBF\xBF"sv, "\xF4\x90\x80\x80"sv, "\xF4\xBF\xBF\xBF"sv,
        // A byte below 80 or from C0 where a continuation byte belongs, in every position.
        "\xC3\x41"sv, "\xC3\xC0"sv, "\xC3\xFF"sv, "\xC3\n"sv, "\xE3\x41\x82"sv, "\xE3\xC0\x82"sv,
        "\xE3\x81\x41"sv, "\xE3\x81\xC0"sv, "\xE3\x81\xFF"sv, "\xE0\xA0\xC0"sv, "\xED\x80\xC0"sv,
        "\xF1\xC0\x80\x80"sv, "\xF0\x9F\x41\x83"sv, "\xF0\x9F\xC0\x83"sv, "\xF0\x9F\x9A\x41"sv,
        "\xF0\x9F\x9A\xC0"sv, "\xF0\x9F\x9A\xFF"sv, "\xF4\x8F\xBF\xC0"sv,
        // Cut short at the end and inside.
        "\xC3"sv, "\xE3"sv, "\xE3\x81"sv, "\xF0"sv, "\xF0\x9F"sv, "\xF0\x9F\x9A"sv,
        "\xF4\x8F\xBF"sv, "a,b\n\xF0\x9F\x9A"sv, "\xC3 a"sv, "\xE3\x81 a"sv, "\xF0\x9F\x9A,"sv,
        // Shift_JIS, and UTF-16 with its BOM.
        "\x93\xFA\x96\x7B,\x89\x77\n"sv, "\xFF\xFE\x61\0,\0\x62\0"sv}) {
    EXPECT_EQ(Strict(bytes), std::nullopt) << ::testing::PrintToString(bytes);
  }
}

// A decoder fed in pieces keeps a cut sequence for the next piece only while it can still
// become valid; a byte that already rules it out is invalid at once.
TEST(StrictUtf8, OnlyAPrefixOfAValidSequenceIsTruncated) {
  struct Case {
    std::string_view bytes;
    Utf8Sequence sequence;
  };
  for (const Case& c :
       {Case{"\xC3", Utf8Sequence::kTruncated}, Case{"\xE3", Utf8Sequence::kTruncated},
        Case{"\xE3\x81", Utf8Sequence::kTruncated}, Case{"\xE0\xA0", Utf8Sequence::kTruncated},
        Case{"\xF0\x9F\x9A", Utf8Sequence::kTruncated}, Case{"\xF4\x8F", Utf8Sequence::kTruncated},
        Case{"\xE0\x9F", Utf8Sequence::kInvalid}, Case{"\xED\xA0", Utf8Sequence::kInvalid},
        Case{"\xF0\x8F", Utf8Sequence::kInvalid}, Case{"\xF4\x90", Utf8Sequence::kInvalid},
        Case{"\xE3\x41", Utf8Sequence::kInvalid}, Case{"\xF5", Utf8Sequence::kInvalid},
        Case{"\xC0", Utf8Sequence::kInvalid}, Case{"\x80", Utf8Sequence::kInvalid},
        Case{"\xE3\x81\x82", Utf8Sequence::kValid}}) {
    EXPECT_EQ(SequenceAt(c.bytes), c.sequence) << ::testing::PrintToString(c.bytes);
  }
}

TEST(StrictUtf8, TheLenientWalkGoesOnAtTheByteAfterAnInvalidOne) {
  std::u16string out = u">";
  std::vector<std::size_t> invalid_after;  // how much text stood before each invalid byte
  EXPECT_TRUE(
      AppendUtf8AsUtf16("a\xE3\x81"
                        "b\xF0\x9F\x9A\x83\xFF",
                        out, [&](std::u16string& text) {
                          invalid_after.push_back(text.size());
                          return true;
                        }));
  EXPECT_EQ(out, u">ab\U0001F683");
  EXPECT_EQ(invalid_after, (std::vector<std::size_t>{2, 2, 5}));
}
