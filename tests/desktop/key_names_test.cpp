#include "desktop/key_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Row {
  std::u16string_view name;
  int code;
};

// The key names as users write them, with their virtual-key codes, in the order they are searched.
const Row kRows[] = {
    {u"CAPSLOCK", 20}, {u"NUMLOCK", 144}, {u"SCROLLOCK", 145}, {u"ESCAPE", 27}, {u"ESC", 27},
    {u"ENTER", 13},    {u"HELP", 47},     {u"PRTSC", 44},      {u"TAB", 9},     {u"BREAK", 3},
    {u"CLEAR", 12},    {u"BACKSPACE", 8}, {u"BS", 8},          {u"BKSP", 8},    {u"DELETE", 46},
    {u"DEL", 46},      {u"INSERT", 45},   {u"LEFT", 37},       {u"RIGHT", 39},  {u"UP", 38},
    {u"DOWN", 40},     {u"PGUP", 33},     {u"PGDN", 34},       {u"HOME", 36},   {u"END", 35},
    {u"F1", 112},      {u"F2", 113},      {u"F3", 114},        {u"F4", 115},    {u"F5", 116},
    {u"F6", 117},      {u"F7", 118},      {u"F8", 119},        {u"F9", 120},    {u"F10", 121},
    {u"F11", 122},     {u"F12", 123},     {u"F13", 124},       {u"F14", 125},   {u"F15", 126},
    {u"F16", 127},     {u"IME", 25},      {u"NON", 29},        {u"HENKAN", 28}, {u"SPACE", 32},
};

std::string Narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

std::u16string Lower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& unit : lower) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit | 0x20);
  }
  return lower;
}

TEST(KeyNameTable, HoldsEveryNameInSearchOrder) {
  ASSERT_EQ(KeyNameTable.size(), std::size(kRows));
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    EXPECT_EQ(Narrow(KeyNameTable[i].name), Narrow(kRows[i].name)) << "row " << i;
    EXPECT_EQ(KeyNameTable[i].code, kRows[i].code) << "row " << i;
  }
}

TEST(FindKeyName, FindsEveryNameInAnyAsciiCase) {
  for (const Row& row : kRows) {
    EXPECT_EQ(FindKeyName(row.name), row.code) << Narrow(row.name);
    EXPECT_EQ(FindKeyName(Lower(row.name)), row.code) << Narrow(row.name);
  }
}

TEST(FindKeyName, OnlyWholeNamesMatch) {
  for (const std::u16string_view text : {u"", u"E", u"ES", u"ESCA", u" ESC", u"ESC ", u"F0", u"F17",
                                         u"F1 ", u"\u0130ME", u"\u0131me"}) {
    EXPECT_EQ(FindKeyName(text), std::nullopt) << Narrow(text);
  }
}
}  // namespace
