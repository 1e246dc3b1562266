#include "standin/core/paste_text.h"

#include <algorithm>

#include "standin/core/cell_range.h"
#include "standin/core/refusals.h"

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr char16_t kQuote = u'"';

// Reads fields off the front of the text, as the application parses pasted text: a field that
// begins with a quote runs to the quote that closes it ("" inside is one quote, TABs and line
// breaks inside stay in the cell), then on to the next TAB or line break as it stands; a quote
// anywhere else is an ordinary character, and one never closed runs on to the end of the text.
enum class Separator { kTab, kRowEnd, kEnd };

class FieldReader {
 public:
  explicit FieldReader(std::u16string_view text) : rest_(text) {}
  bool done() const { return rest_.empty(); }

  // The next field, and what ended it.
  std::u16string Next(Separator& after) {
    std::u16string field;
    if (!rest_.empty() && rest_.front() == kQuote) ReadQuoted(field);
    const auto end = SeparatorAt();
    field.append(rest_.substr(0, end));
    if (end == std::u16string_view::npos) {
      after = Separator::kEnd;
      rest_ = {};
    } else {
      after = rest_[end] == u'\t' ? Separator::kTab : Separator::kRowEnd;
      rest_.remove_prefix(end + (after == Separator::kTab ? 1 : kLineBreak.size()));
    }
    return field;
  }

 private:
  // Where the next TAB or CR LF begins; a CR alone is part of the field.
  std::size_t SeparatorAt() const {
    for (auto at = rest_.find_first_of(u"\t\r"); at != std::u16string_view::npos;
         at = rest_.find_first_of(u"\t\r", at + 1)) {
      if (rest_[at] == u'\t' || rest_.substr(at).starts_with(kLineBreak)) return at;
    }
    return std::u16string_view::npos;
  }

  void ReadQuoted(std::u16string& field) {
    rest_.remove_prefix(1);
    for (;;) {
      const auto quote = rest_.find(kQuote);
      field.append(rest_.substr(0, quote));
      if (quote == std::u16string_view::npos) {
        rest_ = {};
        return;
      }
      const bool doubled = quote + 1 < rest_.size() && rest_[quote + 1] == kQuote;
      rest_.remove_prefix(quote + 1);
      if (!doubled) return;
      field += kQuote;
      rest_.remove_prefix(1);
    }
  }

  std::u16string_view rest_;
};

TextRows ParseRows(std::u16string_view text) {
  TextRows rows;
  FieldReader reader(text);
  Separator after = Separator::kRowEnd;
  while (!reader.done()) {
    if (after == Separator::kRowEnd) rows.emplace_back();
    rows.back().push_back(reader.Next(after));
    // A TAB at the very end leaves one more, empty, field; a final line break adds no row.
    if (after == Separator::kTab && reader.done()) rows.back().emplace_back();
  }
  return rows;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

TextRows SplitPasteText(std::u16string_view text, std::int32_t top_row, std::int32_t left_column) {
  TextRows rows = ParseRows(text);
  std::size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  if (top_row - 1 + static_cast<std::int64_t>(rows.size()) > kSheetRows ||
      left_column - 1 + static_cast<std::int64_t>(columns) > kSheetColumns) {
    Refuse(kPasteRefused);
  }
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
