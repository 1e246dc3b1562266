#include <gtest/gtest.h>

#include "base/error.h"
#include "base/utf.h"
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

// The decoder's own table is base's; here only what the name adds to it.
TEST(DecodeEntryName, Utf8OrCodePage437ThenSlashesBecomeBackslashes) {
  EXPECT_EQ(NameOrMessage("a/\xE6\x99\x82.txt", true), u"a\\時.txt");
  EXPECT_EQ(NameOrMessage("\xE6\x99.txt", true), kNotUtf8);
  EXPECT_EQ(NameOrMessage("a/\xE6\x99\x82.txt", false), u"a\\µÖé.txt");
  EXPECT_EQ(NameOrMessage("\xC0\x80/\xFF", false), u"└Ç\\\u00A0");
}

}  // namespace
