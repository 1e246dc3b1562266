#include "desktop/key_count.h"

#include <gtest/gtest.h>

#include <string>

namespace {
TEST(ReadKeyCount, ReadsWholeSigned32BitIntegers) {
  const struct {
    std::u16string_view text;
    std::int32_t count;
  } cases[] = {
      {u"3", 3},
      {u"  12", 12},
      {u"-5", -5},
      {u"+7", 7},
      {u"$1f", 31},
      {u"x10", 16},
      {u"X10", 16},
      {u"0x1F", 31},
      {u"0XfF", 255},
      {u"-$10", -16},
      {u"007", 7},
      {u"+0x10", 16},
      {u"0", 0},
      {u"-0", 0},
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {u"$7FFFFFFF", 2147483647},
      {u"0x7fffffff", 2147483647},
      {u"-$80000000", -2147483647 - 1},
      {u"-0X80000000", -2147483647 - 1},
      {u"-2147483647", -2147483647},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadKeyCount(c.text), c.count) << std::string(c.text.begin(), c.text.end());
  }
}

TEST(ReadKeyCount, AnythingElseIsZero) {
  for (const std::u16string_view text :
       {u"",    u" ",      u"-",          u"+",           u"x",          u"$",
        u"0x",  u"3 ",     u"1a",         u"ff",          u"- 5",        u"--5",
        u"3.0", u"\uFF13", u"2147483648", u"-2147483649", u"$80000000",  u"99999999999999999999999",
        u"$-1", u"0x+1",   u"$FFFFFFFF",  u"0x80000000",  u"-$80000001", u"$1g",
        u"\t3", u"0x 1",   u"00x1",       u"$$1"}) {
    EXPECT_EQ(ReadKeyCount(text), 0) << std::string(text.begin(), text.end());
  }
}
}  // namespace
