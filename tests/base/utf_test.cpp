#include "base/utf.h"

#include <gtest/gtest.h>

TEST(Utf, RoundTripsEveryPlane) {
  const std::u16string text = u"a\u00e9\u65e5\U0001F68C";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(text), "a\xc3\xa9\xe6\x97\xa5\xf0\x9f\x9a\x8c");
}

TEST(Utf, ReplacesWhatCannotBeConverted) {
  EXPECT_EQ(Utf8ToUtf16("a\xff"
                        "b"),
            u"a\ufffdb");
  EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\ufffd\ufffd");            // overlong
  EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\ufffd\ufffd\ufffd");  // surrogate
  EXPECT_EQ(Utf8ToUtf16("\xe6\x97"), u"\ufffd\ufffd");            // cut short
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xd800')), "\xef\xbf\xbd");
}

// Runs of 16 and more units take the wide path: what follows one must still be seen.
TEST(Utf, EncodesWhatFollowsALongAsciiRun) {
  const std::u16string ascii = u"0123456789abcdefg";
  EXPECT_EQ(Utf16ToUtf8(ascii + u"\u00e9" + ascii),
            "0123456789abcdefg\xc3\xa9"
            "0123456789abcdefg");
  EXPECT_EQ(Utf16ToUtf8(ascii + u"\U0001F68C"), "0123456789abcdefg\xf0\x9f\x9a\x8c");
}

TEST(Utf, ReplacesEachLoneSurrogateOnItsOwn) {
  const std::u16string low_first = {u'a', 0xDC00, 0xD800, u'b'};
  EXPECT_EQ(Utf16ToUtf8(low_first),
            "a\xef\xbf\xbd\xef\xbf\xbd"
            "b");
  const std::u16string high_at_end = u"0123456789abcdefg" + std::u16string(1, 0xDBFF);
  EXPECT_EQ(Utf16ToUtf8(high_at_end), "0123456789abcdefg\xef\xbf\xbd");
}
