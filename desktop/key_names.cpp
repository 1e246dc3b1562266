#include "desktop/key_names.h"

#include "base/ascii.h"

const std::array<KeyName, kKeyNameCount> KeyNameTable = {{
    {u"CAPSLOCK", 20}, {u"NUMLOCK", 144}, {u"SCROLLOCK", 145}, {u"ESCAPE", 27}, {u"ESC", 27},
    {u"ENTER", 13},    {u"HELP", 47},     {u"PRTSC", 44},      {u"TAB", 9},     {u"BREAK", 3},
    {u"CLEAR", 12},    {u"BACKSPACE", 8}, {u"BS", 8},          {u"BKSP", 8},    {u"DELETE", 46},
    {u"DEL", 46},      {u"INSERT", 45},   {u"LEFT", 37},       {u"RIGHT", 39},  {u"UP", 38},
    {u"DOWN", 40},     {u"PGUP", 33},     {u"PGDN", 34},       {u"HOME", 36},   {u"END", 35},
    {u"F1", 112},      {u"F2", 113},      {u"F3", 114},        {u"F4", 115},    {u"F5", 116},
    {u"F6", 117},      {u"F7", 118},      {u"F8", 119},        {u"F9", 120},    {u"F10", 121},
    {u"F11", 122},     {u"F12", 123},     {u"F13", 124},       {u"F14", 125},   {u"F15", 126},
    {u"F16", 127},     {u"IME", 25},      {u"NON", 29},        {u"HENKAN", 28}, {u"SPACE", 32},
}};

std::optional<std::uint8_t> FindKeyName(std::u16string_view text) {
  for (const KeyName& row : KeyNameTable) {
    if (EqualsAsciiCaseless(text, row.name)) return row.code;
  }
  return std::nullopt;
}
