#include "standin/core/paste_text.h"

#include <algorithm>

#include "standin/core/cell_range.h"
#include "standin/core/refusals.h"

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// Calls visit(line) for each CR LF line; a final CR LF ends the last line rather than opening one.
template <typename Visit>
void ForEachLine(std::u16string_view text, Visit visit) {
  while (!text.empty()) {
    const auto end = text.find(kLineBreak);
    visit(text.substr(0, end));
    if (end == std::u16string_view::npos) return;
    text.remove_prefix(end + kLineBreak.size());
  }
}

void CheckFits(std::u16string_view text, std::int32_t top_row, std::int32_t left_column) {
  std::int64_t rows = 0;
  std::int64_t columns = 0;
  ForEachLine(text, [&](std::u16string_view line) {
    ++rows;
    columns = std::max<std::int64_t>(columns, std::ranges::count(line, u'\t') + 1);
  });
  if (top_row - 1 + rows > kSheetRows || left_column - 1 + columns > kSheetColumns) {
    Refuse(kPasteRefused);
  }
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

TextRows SplitPasteText(std::u16string_view text, std::int32_t top_row, std::int32_t left_column) {
  CheckFits(text, top_row, left_column);
  TextRows rows;
  ForEachLine(text, [&](std::u16string_view line) {
    auto& cells = rows.emplace_back();
    for (;;) {
      const auto tab = line.find(u'\t');
      cells.emplace_back(line.substr(0, tab));
      if (tab == std::u16string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
  });
  return rows;
}

std::u16string GeneralFormatText(std::u16string_view text) {
  std::u16string_view rest = text;
  const bool negative = !rest.empty() && rest.front() == u'-';
  if (!rest.empty() && (rest.front() == u'-' || rest.front() == u'+')) rest.remove_prefix(1);
  const auto point = rest.find(u'.');
  std::u16string_view whole = rest.substr(0, point);
  std::u16string_view fraction =
      point == std::u16string_view::npos ? std::u16string_view() : rest.substr(point + 1);
  const bool numeric = !(whole.empty() && fraction.empty()) &&
                       std::ranges::all_of(whole, IsDigit) &&
                       std::ranges::all_of(fraction, IsDigit);
  if (!numeric) return std::u16string(text);

  while (whole.size() > 1 && whole.front() == u'0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == u'0') fraction.remove_suffix(1);
  std::u16string number(whole.empty() ? u"0" : whole);
  if (!fraction.empty()) number += u'.' + std::u16string(fraction);
  return negative && number != u"0" ? u'-' + number : number;
}
