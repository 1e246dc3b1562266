#include "standin/core/sheet_name.h"

#include <algorithm>

#include "standin/core/refusals.h"

namespace {

// Latin letters, plain, accented (Latin-1) and full-width, are the ones sheet names meet in
// practice.
char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c - u'A' + u'a');
  if (c >= u'Ａ' && c <= u'Ｚ') return static_cast<char16_t>(c - u'Ａ' + u'ａ');
  if (c >= u'À' && c <= u'Þ' && c != u'×') return static_cast<char16_t>(c - u'À' + u'à');
  return c;
}

}  // namespace

bool SameSheetName(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b,
                            [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

void CheckSheetName(std::u16string_view name) {
  constexpr std::u16string_view kForbidden = u":\\/?*[]";
  constexpr std::size_t kLongestName = 31;
  const bool refused = name.empty() || name.size() > kLongestName ||
                       name.find_first_of(kForbidden) != std::u16string_view::npos ||
                       name.front() == u'\'' || name.back() == u'\'' ||
                       SameSheetName(name, u"History");
  if (refused) Refuse(kNameRefused);
}
