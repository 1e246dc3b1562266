#include <gtest/gtest.h>

#include "base/error.h"
#include "base/utf.h"
#include "feed/zip/code_page_437.h"
#include "feed/zip/dos_date_time.h"
#include "feed/zip/entry_name.h"

namespace {

const std::u16string kInvalidPath = u"パスに無効な文字が含まれています";

std::u16string TargetOrMessage(std::u16string_view folder, std::u16string_view name) {
  try {
    return EntryTargetPath(folder, name);
  } catch (const Error& error) {
    return error.text();
  }
}

TEST(EntryTargetPath, ConfinesEveryNameToTheFolder) {
  const struct {
    std::u16string_view name, expected;
  } cases[] = {
      {u"stops.txt", u"C:\\w\\stops.txt"},
      {u"a\\b\\", u"C:\\w\\a\\b\\"},
      {u"..\\..\\x.txt", u"C:\\w\\x.txt"},
      {u"a\\..\\..\\b\\.\\x.txt", u"C:\\w\\b\\x.txt"},
      {u"a\\b\\..\\x.txt", u"C:\\w\\a\\x.txt"},
      {u"\\root\\x.txt", u"C:\\w\\root\\x.txt"},
      {u"\\\\server\\share\\x.txt", u"C:\\w\\server\\share\\x.txt"},
      {u"D:\\x.txt", u"C:\\w\\x.txt"},
      {u"d:x.txt", u"C:\\w\\x.txt"},
      {u"\\\\?\\C:\\x.txt", u"C:\\w\\x.txt"},
      {u"a\\.. \\x.txt", u"C:\\w\\x.txt"},  // Windows trims ".. " to ".."
      {u"..\\", u"C:\\w\\"},
      {u"CONSOLE.txt", u"C:\\w\\CONSOLE.txt"},
      {u"COM0", u"C:\\w\\COM0"},
      {u"a\\LPT10.txt", u"C:\\w\\a\\LPT10.txt"},
      // Superscript one to three are device digits too; other superscripts and longer names are
      // not.
      {u"COM\u2074", u"C:\\w\\COM\u2074"},
      {u"LPT\u2070.txt", u"C:\\w\\LPT\u2070.txt"},
      {u"COM\u00B5", u"C:\\w\\COM\u00B5"},
      {u"COM\u00B9x", u"C:\\w\\COM\u00B9x"},
      {u"LPT\u00B3\u00B3.txt", u"C:\\w\\LPT\u00B3\u00B3.txt"},
      {u"COM\u00B9", kInvalidPath},
      {u"a\\com\u00B2.txt", kInvalidPath},
      {u"Com\u00B3 .log", kInvalidPath},
      {u"lpt\u00B9\\x.txt", kInvalidPath},
      {u"LPT\u00B2.tar.gz", kInvalidPath},
      {u"LPT\u00B3", kInvalidPath},
      {u"ab:c", kInvalidPath},
      {u"x\\y.txt:stream", kInvalidPath},
      {u"CON", kInvalidPath},
      {u"sub\\nul.txt", kInvalidPath},
      {u"Com9 .log", kInvalidPath},
      {u"lpt1\\x.txt", kInvalidPath},
      {u"aux.tar.gz", kInvalidPath},
      {u"a\"b", kInvalidPath},
      {u"a>b", kInvalidPath},
      {u"a|b", kInvalidPath},
      {std::u16string_view(u"a\0b", 3), kInvalidPath},
      {u"a\x1F", kInvalidPath},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TargetOrMessage(u"C:\\w", c.name), c.expected) << Utf16ToUtf8(c.name);
  }
}

TEST(EntryTargetPath, ChecksTheFolderAndJoinsWithOneBackslash) {
  EXPECT_EQ(TargetOrMessage(u"C:\\", u"x.txt"), u"C:\\x.txt");
  EXPECT_EQ(TargetOrMessage(u"C:\\a|b", u"x.txt"), kInvalidPath);
}

const std::u16string kNotUtf8 =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";

std::u16string NameOrMessage(std::string_view bytes, bool utf8) {
  try {
    return DecodeEntryName(bytes, utf8);
  } catch (const Error& error) {
    return error.text();
  }
}

TEST(DecodeEntryName, Utf8NamesAreStrictAndTheirBoundariesPass) {
  const struct {
    std::string_view bytes;
    std::u16string expected;
  } cases[] = {
      {"a/\xE6\x99\x82.txt", u"a\\時.txt"},
      // The valid edges of each sequence length.
      {"\x7F", u"\x7F"},
      {"\xC2\x80", u"\u0080"},
      {"\xDF\xBF", u"\u07FF"},
      {"\xE0\xA0\x80", u"\u0800"},
      {"\xE1\x80\x80", u"\u1000"},
      {"\xE1\xBF\xBF", u"\u1FFF"},
      {"\xED\x9F\xBF", u"\uD7FF"},
      {"\xEE\x80\x80", u"\uE000"},
      {"\xEF\xBF\xBF", u"\uFFFF"},
      {"\xF0\x90\x80\x80", u"\U00010000"},
      {"\xF1\x80\x80\x80", u"\U00040000"},
      {"\xF1\xBF\xBF\xBF", u"\U0007FFFF"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      // Lead bytes that never start a sequence.
      {"\xC0\x80", kNotUtf8},
      {"\xC1\xBF", kNotUtf8},
      {"\xF5\x80\x80\x80", kNotUtf8},
      {"\xF7\xBF\xBF\xBF", kNotUtf8},
      {"\xF8\x88\x80\x80\x80", kNotUtf8},
      {"\xFE", kNotUtf8},
      {"\xFF", kNotUtf8},
      // A byte that is no continuation (below 80 or from C0 up) in each position.
      {"\xC3\x41", kNotUtf8},
      {"\xC3\xC0", kNotUtf8},
      {"\xC3\xFF", kNotUtf8},
      {"\xE6\xC0\x82", kNotUtf8},
      {"\xE6\x99\xC0", kNotUtf8},
      {"\xE6\x99\xFF", kNotUtf8},
      {"\xE6\x99.txt", kNotUtf8},
      {"\xF0\xC0\x98\x80", kNotUtf8},
      {"\xF0\x9F\xC0\x80", kNotUtf8},
      {"\xF0\x9F\x98\xC0", kNotUtf8},
      {"\xF0\x9F\x98\xFF", kNotUtf8},
      {"\xF1\x80\x80\x7F", kNotUtf8},
      // Overlong forms, on both sides of each length's smallest value.
      {"\xC0\xAF", kNotUtf8},
      {"\xC1\x81", kNotUtf8},
      {"\xE0\x80\xAF", kNotUtf8},
      {"\xE0\x9F\xBF", kNotUtf8},
      {"\xF0\x80\x80\xAF", kNotUtf8},
      {"\xF0\x8F\xBF\xBF", kNotUtf8},
      // Surrogates, alone and as a pair.
      {"\xED\xA0\x80", kNotUtf8},
      {"\xED\xAD\xBF", kNotUtf8},
      {"\xED\xB0\x80", kNotUtf8},
      {"\xED\xBF\xBF", kNotUtf8},
      {"\xED\xA0\xBD\xED\xB8\x80", kNotUtf8},
      // Above U+10FFFF.
      {"\xF4\x90\x80\x80", kNotUtf8},
      {"\xF4\xBF\xBF\xBF", kNotUtf8},
      // Cut short by the end of the name.
      {"a\xC3", kNotUtf8},
      {"a\xE6", kNotUtf8},
      {"a\xE6\x99", kNotUtf8},
      {"a\xF0", kNotUtf8},
      {"a\xF0\x9F", kNotUtf8},
      {"a\xF0\x9F\x98", kNotUtf8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameOrMessage(c.bytes, true), c.expected) << ::testing::PrintToString(c.bytes);
  }
  for (int byte = 0x80; byte <= 0xBF; ++byte) {
    const std::string lone(1, static_cast<char>(byte));
    EXPECT_EQ(NameOrMessage(lone + ".txt", true), kNotUtf8) << byte;
    EXPECT_EQ(NameOrMessage("\xC3\xA9" + lone, true), kNotUtf8) << byte;
  }
}

TEST(DecodeEntryName, CodePage437TakesEveryByteAndSlashesBecomeBackslashes) {
  EXPECT_EQ(NameOrMessage("a/\xE6\x99\x82.txt", false), u"a\\µÖé.txt");
  EXPECT_EQ(NameOrMessage("\xC0\x80/\xFF", false), u"└Ç\\\u00A0");
}

// Python's cp437 codec, which matches what Windows gives for code page 437.
TEST(DecodeCodePage437, MapsEveryByteLikeTheSystemCodePage) {
  std::string lower, upper;
  for (int byte = 0; byte < 0x80; ++byte) lower += static_cast<char>(byte);
  for (int byte = 0x80; byte < 0x100; ++byte) upper += static_cast<char>(byte);
  std::u16string ascii;
  for (char16_t c = 0; c < 0x80; ++c) ascii += c;
  EXPECT_EQ(DecodeCodePage437(lower), ascii);
  const std::u16string_view rows[] = {
      u"\u00C7\u00FC\u00E9\u00E2\u00E4\u00E0\u00E5\u00E7\u00EA\u00EB\u00E8\u00EF\u00EE\u00EC\u00C4"
      u"\u00C5",
      u"\u00C9\u00E6\u00C6\u00F4\u00F6\u00F2\u00FB\u00F9\u00FF\u00D6\u00DC\u00A2\u00A3\u00A5\u20A7"
      u"\u0192",
      u"\u00E1\u00ED\u00F3\u00FA\u00F1\u00D1\u00AA\u00BA\u00BF\u2310\u00AC\u00BD\u00BC\u00A1\u00AB"
      u"\u00BB",
      u"\u2591\u2592\u2593\u2502\u2524\u2561\u2562\u2556\u2555\u2563\u2551\u2557\u255D\u255C\u255B"
      u"\u2510",
      u"\u2514\u2534\u252C\u251C\u2500\u253C\u255E\u255F\u255A\u2554\u2569\u2566\u2560\u2550\u256C"
      u"\u2567",
      u"\u2568\u2564\u2565\u2559\u2558\u2552\u2553\u256B\u256A\u2518\u250C\u2588\u2584\u258C\u2590"
      u"\u2580",
      u"\u03B1\u00DF\u0393\u03C0\u03A3\u03C3\u00B5\u03C4\u03A6\u0398\u03A9\u03B4\u221E\u03C6\u03B5"
      u"\u2229",
      u"\u2261\u00B1\u2265\u2264\u2320\u2321\u00F7\u2248\u00B0\u2219\u00B7\u221A\u207F\u00B2\u25A0"
      u"\u00A0",
  };
  const auto decoded = DecodeCodePage437(upper);
  ASSERT_EQ(decoded.size(), 128u);
  for (std::size_t row = 0; row < 8; ++row) {
    EXPECT_EQ(std::u16string_view(decoded).substr(row * 16, 16), rows[row]) << "row " << row + 8;
  }
}

std::u16string DateTimeOrMessage(std::uint32_t packed) {
  try {
    const auto t = DecodeDosDateTime(packed);
    return Utf8ToUtf16(std::to_string(t.year) + "-" + std::to_string(t.month) + "-" +
                       std::to_string(t.day) + " " + std::to_string(t.hour) + ":" +
                       std::to_string(t.minute) + ":" + std::to_string(t.second));
  } catch (const Error& error) {
    return error.text();
  }
}

constexpr std::uint32_t Pack(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<std::uint32_t>((year - 1980) << 25 | month << 21 | day << 16 | hour << 11 |
                                    minute << 5 | second / 2);
}

TEST(DecodeDosDateTime, RefusesWhatIsNoCalendarDateOrClockTime) {
  const std::u16string bad_date = u"日付に変換できない値が渡されました";
  const std::u16string bad_time = u"時刻に変換できない値が渡されました";
  const struct {
    std::uint32_t packed;
    std::u16string expected;
  } cases[] = {
      {0x0021'0000, u"1980-1-1 0:0:0"},  // the smallest date there is
      {0xFF9F'BF7D, u"2107-12-31 23:59:58"},
      {Pack(2024, 2, 29, 23, 59, 58), u"2024-2-29 23:59:58"},
      {Pack(2000, 2, 29, 0, 0, 0), u"2000-2-29 0:0:0"},
      {Pack(2100, 2, 29, 0, 0, 0), bad_date},
      {Pack(2100, 2, 28, 0, 0, 0), u"2100-2-28 0:0:0"},
      {Pack(2023, 2, 29, 0, 0, 0), bad_date},
      {Pack(2023, 2, 28, 0, 0, 0), u"2023-2-28 0:0:0"},
      {Pack(2023, 4, 31, 0, 0, 0), bad_date},
      {Pack(2023, 4, 30, 0, 0, 0), u"2023-4-30 0:0:0"},
      {Pack(2023, 1, 31, 0, 0, 0), u"2023-1-31 0:0:0"},
      {Pack(2023, 0, 1, 0, 0, 0), bad_date},
      {Pack(2023, 13, 1, 0, 0, 0), bad_date},
      {Pack(2023, 15, 1, 0, 0, 0), bad_date},
      {Pack(2023, 12, 1, 0, 0, 0), u"2023-12-1 0:0:0"},
      {Pack(2023, 1, 0, 0, 0, 0), bad_date},
      {Pack(2023, 1, 1, 24, 0, 0), bad_time},
      {Pack(2023, 1, 1, 31, 0, 0), bad_time},
      {Pack(2023, 1, 1, 0, 60, 0), bad_time},
      {Pack(2023, 1, 1, 0, 63, 0), bad_time},
      {Pack(2023, 1, 1, 0, 0, 60), bad_time},
      {Pack(2023, 1, 1, 0, 0, 62), bad_time},
      {Pack(2023, 0, 1, 24, 0, 0), bad_date},  // the date first
  };
  for (const auto& c : cases) EXPECT_EQ(DateTimeOrMessage(c.packed), c.expected) << c.packed;
}

}  // namespace
