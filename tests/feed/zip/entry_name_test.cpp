#include <gtest/gtest.h>

#include "app/base/error.h"
#include "app/base/utf.h"
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

TEST(DecodeEntryName, StrictUtf8OrCodePage437WithBackslashes) {
  EXPECT_EQ(DecodeEntryName("a/\xE6\x99\x82.txt", true), u"a\\時.txt");
  EXPECT_EQ(DecodeEntryName("a/\xE6\x99\x82.txt", false), u"a\\µÖé.txt");
  for (const char* invalid : {"\xC0\xAF", "\xED\xA0\x80", "\xE6\x99", "\xFF"}) {
    try {
      DecodeEntryName(invalid, true);
      ADD_FAILURE() << "accepted " << invalid;
    } catch (const Error& error) {
      EXPECT_EQ(error.text(),
                u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
    }
  }
}

TEST(DecodeCodePage437, ControlBytesStayControlsAndTheUpperHalfIsGraphic) {
  EXPECT_EQ(DecodeCodePage437(std::string_view("\x01\x1F\x7F", 3)), u"\x01\x1F\x7F");
  EXPECT_EQ(DecodeCodePage437("\x80\x9E\xB0\xE1\xF9\xFA\xFF"), u"Ç₧░ß∙·\u00A0");
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
  EXPECT_EQ(DateTimeOrMessage(Pack(2024, 2, 29, 23, 59, 58)), u"2024-2-29 23:59:58");
  EXPECT_EQ(DateTimeOrMessage(Pack(2107, 12, 31, 0, 0, 0)), u"2107-12-31 0:0:0");
  EXPECT_EQ(DateTimeOrMessage(Pack(2000, 2, 29, 0, 0, 0)), u"2000-2-29 0:0:0");
  EXPECT_EQ(DateTimeOrMessage(Pack(2100, 2, 29, 0, 0, 0)), bad_date);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 2, 29, 0, 0, 0)), bad_date);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 4, 31, 0, 0, 0)), bad_date);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 0, 1, 0, 0, 0)), bad_date);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 13, 1, 0, 0, 0)), bad_date);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 1, 0, 0, 0, 0)), bad_date);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 1, 1, 24, 0, 0)), bad_time);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 1, 1, 0, 60, 0)), bad_time);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 1, 1, 0, 0, 60)), bad_time);
  EXPECT_EQ(DateTimeOrMessage(Pack(2023, 0, 1, 24, 0, 0)), bad_date);  // the date first
}

}  // namespace
