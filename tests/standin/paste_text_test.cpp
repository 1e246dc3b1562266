#include "standin/core/paste_text.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace {

// How many cells each row has.
std::vector<std::size_t> Widths(const TextRows& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) widths.push_back(row.size());
  return widths;
}

TEST(PasteTextTest, SplitsRowsAtCrLfAndCellsAtTabs) {
  const struct {
    std::u16string text;
    TextRows rows;
  } cases[] = {
      {u"", {}},
      {u"a", {{u"a"}}},
      {u"a\tb\r\nc\td", {{u"a", u"b"}, {u"c", u"d"}}},
      {u"a\tb\r\n", {{u"a", u"b"}}},  // a final line break adds no row
      {u"a\r\n\r\nb\r\n", {{u"a"}, {u""}, {u"b"}}},
      {u"\t\r\n", {{u"", u""}}},
      {u"\r\n", {{u""}}},
      {u"a\t\tb\t", {{u"a", u"", u"b", u""}}},
      {u"a\r\r\nb", {{u"a\r"}, {u"b"}}},
      {u"a\r\n\nb", {{u"a"}, {u"\nb"}}},
      {u"a\nb\rc", {{u"a\nb\rc"}}},  // only CR LF ends a row
  };
  for (const auto& c : cases) EXPECT_EQ(SplitPasteText(c.text, 1, 1), c.rows);
}

TEST(PasteTextTest, QuotedFieldsKeepTheirTabsAndLineBreaksAndLoseTheirQuotes) {
  const struct {
    std::u16string text;
    TextRows rows;
  } cases[] = {
      {u"\"x\ty\"", {{u"x\ty"}}},
      {u"\"港\t東\"\t1\r\n", {{u"港\t東", u"1"}}},
      {u"\"a\"\t\"b\"\r\n\"c\"\t\"\"\r\n", {{u"a", u"b"}, {u"c", u""}}},
      {u"\"say \"\"hi\"\"\"", {{u"say \"hi\""}}},
      {u"\"two\r\nlines\"\tz", {{u"two\r\nlines", u"z"}}},
      {u"\"extra\" \"quotes\"\tq", {{u"extra \"quotes\"", u"q"}}},
      {u"a\"b\tc\"", {{u"a\"b", u"c\""}}},  // not first in its field: an ordinary character
      {u" \"a\tb\"", {{u" \"a", u"b\""}}},
      {u"\"\"\"\"", {{u"\""}}},
      {u"\"\"", {{u""}}},
      {u"\"x\"\t", {{u"x", u""}}},
      // A quote never closed runs on over the TABs and lines after it, to the end.
      {u"a\t\"open\tb\r\nc\td\r\n", {{u"a", u"open\tb\r\nc\td\r\n"}}},
      {u"\"", {{u""}}},
      {u"\"ends\t", {{u"ends\t"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitPasteText(c.text, 1, 1), c.rows);
}

TEST(PasteTextTest, RefusesTextRunningPastTheSheet) {
  // The sheet has 1048576 rows and 16384 columns.
  std::u16string full_height;
  for (int i = 0; i < 1048576; ++i) full_height += u"x\r\n";
  EXPECT_EQ(SplitPasteText(full_height, 1, 1).size(), 1048576u);
  EXPECT_EQ(SplitPasteText(u"x\r\ny", 1048575, 1).size(), 2u);
  EXPECT_THROW(SplitPasteText(u"x\r\ny", 1048576, 1), Error);
  EXPECT_THROW(SplitPasteText(full_height, 2, 1), Error);
  EXPECT_THROW(SplitPasteText(full_height + u"x", 1, 1), Error);

  const std::u16string full_width(16383, u'\t');
  EXPECT_EQ(Widths(SplitPasteText(u"a\r\n" + full_width, 1, 1)),
            (std::vector<std::size_t>{1, 16384}));
  EXPECT_EQ(Widths(SplitPasteText(u"x\ty", 1, 16383)), std::vector<std::size_t>{2});
  EXPECT_THROW(SplitPasteText(u"x\ty", 1, 16384), Error);
  EXPECT_THROW(SplitPasteText(u"a\r\n" + full_width, 1, 2), Error);
  EXPECT_THROW(SplitPasteText(full_width + u"\t", 1, 1), Error);
  // A quoted TAB is no column, and quoted lines are no rows.
  EXPECT_EQ(Widths(SplitPasteText(u"\"" + full_width + u"\t\"", 1, 1)),
            std::vector<std::size_t>{1});
  EXPECT_EQ(SplitPasteText(u"\"x\r\ny\"", 1048576, 1).size(), 1u);
}

TEST(PasteTextTest, GeneralFormatConvertsOnlyNumbers) {
  const struct {
    std::u16string typed, shown;
  } cases[] = {
      {u"001", u"1"},
      {u"0", u"0"},
      {u"+5", u"5"},
      {u"-007.50", u"-7.5"},
      {u"-0", u"0"},
      {u".5", u"0.5"},
      {u"3.", u"3"},
      {u"20240101", u"20240101"},
      {u"08:00:00", u"08:00:00"},
      {u"1e5", u"1e5"},
      {u"", u""},
      {u".", u"."},
      {u"-", u"-"},
      {u"0x10", u"0x10"},
      {u"１２", u"１２"},
      {u"Tokyo", u"Tokyo"},
      {u"1.2.3", u"1.2.3"},
  };
  for (const auto& c : cases) EXPECT_EQ(GeneralFormatText(c.typed), c.shown);
}

}  // namespace
