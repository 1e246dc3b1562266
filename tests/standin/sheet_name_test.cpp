#include "standin/core/sheet_name.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace {

TEST(SheetNameTest, RefusesWhatTheApplicationRefuses) {
  const std::u16string refused[] = {
      u"",        std::u16string(32, u'x'),
      u"a:b",     u"a\\b",
      u"a/b",     u"a?b",
      u"a*b",     u"a[b",
      u"a]b",     u"'ab",
      u"ab'",     u"History",
      u"HISTORY", u"history",
  };
  for (const auto& name : refused) {
    EXPECT_THROW(CheckSheetName(name), Error) << std::string(name.begin(), name.end());
  }
}

TEST(SheetNameTest, AcceptsOrdinaryNames) {
  const std::u16string accepted[] = {
      u"stops", std::u16string(31, u'x'), u"a'b", u"History1", u"停留所", u"stop_times", u"a b",
  };
  for (const auto& name : accepted) EXPECT_NO_THROW(CheckSheetName(name));
}

TEST(SheetNameTest, ComparesLettersWithoutCase) {
  EXPECT_TRUE(SameSheetName(u"Stops", u"sTOPS"));
  EXPECT_TRUE(SameSheetName(u"Ｓｈｅｅｔ", u"ｓｈｅｅｔ"));
  EXPECT_TRUE(SameSheetName(u"AZ", u"az"));
  EXPECT_TRUE(SameSheetName(u"ＡＺ", u"ａｚ"));
  EXPECT_TRUE(SameSheetName(u"Ä", u"ä"));
  EXPECT_TRUE(SameSheetName(u"ÀÞ", u"àþ"));
  EXPECT_FALSE(SameSheetName(u"stops", u"stop"));
  EXPECT_FALSE(SameSheetName(u"stop", u"stops"));
  EXPECT_FALSE(SameSheetName(u"stops", u"stopz"));
  // Neighbours of the letters that are no letter pair.
  EXPECT_FALSE(SameSheetName(u"×", u"÷"));
  EXPECT_FALSE(SameSheetName(u"[", u"{"));
  EXPECT_FALSE(SameSheetName(u"@", u"`"));
  EXPECT_FALSE(SameSheetName(u"＠", u"｀"));
  EXPECT_FALSE(SameSheetName(u"［", u"｛"));
  EXPECT_FALSE(SameSheetName(u"¿", u"ß"));
  EXPECT_FALSE(SameSheetName(u"ß", u"ÿ"));
}

}  // namespace
