#include "desktop/key_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/ascii.h"

namespace {
std::string Narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

TEST(FindKeyName, GivesTheVirtualKeyCode) {
  // The codes of the system's virtual-key list, for names that share a code and the ends of runs.
  const struct {
    std::u16string_view name;
    int code;
  } rows[] = {
      {u"ESC", 27},  {u"ESCAPE", 27}, {u"BS", 8},          {u"BKSP", 8},   {u"BACKSPACE", 8},
      {u"BREAK", 3}, {u"ENTER", 13},  {u"SCROLLOCK", 145}, {u"F1", 112},   {u"F16", 127},
      {u"IME", 25},  {u"NON", 29},    {u"HENKAN", 28},     {u"SPACE", 32},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FindKeyName(row.name), row.code) << Narrow(row.name);
  }
}

TEST(FindKeyName, FoldsAsciiLettersOnly) {
  EXPECT_EQ(FindKeyName(u"esc"), 27);
  EXPECT_EQ(FindKeyName(u"Henkan"), 28);
  EXPECT_EQ(FindKeyName(u"f16"), 127);
  // Full-width E, dotted capital I and dotless small i are no ASCII letters.
  for (const std::u16string_view text : {u"\uFF25SC", u"\u0130ME", u"\u0131me"}) {
    EXPECT_EQ(FindKeyName(text), std::nullopt);
  }
}

TEST(FindKeyName, OnlyWholeNamesMatch) {
  for (const std::u16string_view text :
       {u"", u"E", u"ES", u"ESCA", u" ESC", u"ESC ", u"F0", u"F17", u"F1 ", u"SPACEBAR"}) {
    EXPECT_EQ(FindKeyName(text), std::nullopt) << Narrow(text);
  }
}

TEST(KeyNameTable, EveryRowIsFoundByItsNameInAnyCase) {
  // No name twice, whatever the case: the search order then cannot hide a row.
  std::set<std::u16string> seen;
  for (const KeyName& row : KeyNameTable) {
    EXPECT_TRUE(seen.insert(AsciiUpperCopy(row.name)).second) << Narrow(row.name);
    std::u16string lower(row.name);
    for (char16_t& unit : lower) {
      if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit | 0x20);
    }
    EXPECT_EQ(FindKeyName(row.name), row.code) << Narrow(row.name);
    EXPECT_EQ(FindKeyName(lower), row.code) << Narrow(row.name);
  }
}
}  // namespace
