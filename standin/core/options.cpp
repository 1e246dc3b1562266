#include "standin/core/options.h"

#include <limits>

#include "base/error.h"

namespace {

std::vector<std::u16string> Split(std::u16string_view list, char16_t separator) {
  std::vector<std::u16string> parts;
  for (;;) {
    const auto at = list.find(separator);
    parts.emplace_back(list.substr(0, at));
    if (at == std::u16string_view::npos) return parts;
    list.remove_prefix(at + 1);
  }
}

std::vector<std::u16string> SplitCommas(const std::u16string& list) {
  return Split(list, u',');
}

// "NAME:VALUE", split at the first colon, which no sheet name holds.
std::pair<std::u16string, std::u16string> SheetAndValue(const std::u16string& option,
                                                        const std::u16string& text) {
  const auto colon = text.find(u':');
  if (colon == std::u16string::npos) throw Error(u"No sheet name for " + option + u": " + text);
  return {text.substr(0, colon), text.substr(colon + 1)};
}

InitialSheet& Filled(StandinOptions& options, const std::u16string& name) {
  for (auto& sheet : options.filled_sheets) {
    if (sheet.name == name) return sheet;
  }
  return options.filled_sheets.emplace_back(InitialSheet{name, {}, {}});
}

std::uint32_t Number(const std::u16string& option, const std::u16string& text) {
  std::uint64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') throw Error(u"Not a number for " + option + u": " + text);
    value = value * 10 + (c - u'0');
    if (value > std::numeric_limits<std::int32_t>::max()) {
      throw Error(u"Too large for " + option + u": " + text);
    }
  }
  if (text.empty()) throw Error(u"Not a number for " + option);
  return static_cast<std::uint32_t>(value);
}

}  // namespace

StandinOptions ParseOptions(const std::vector<std::u16string>& arguments) {
  StandinOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::u16string& option = arguments[i];
    const auto value = [&]() -> const std::u16string& {
      if (i + 1 >= arguments.size()) throw Error(u"Missing value for " + option);
      return arguments[++i];
    };
    if (option == u"--sheets") {
      options.sheets = SplitCommas(value());
    } else if (option == u"--no-workbook") {
      options.workbook = false;
    } else if (option == u"--fail-pastes") {
      options.faults.failing_pastes = static_cast<int>(Number(option, value()));
    } else if (option == u"--refuse-delete") {
      options.faults.refuse_delete = true;
    } else if (option == u"--register-delay") {
      options.register_delay_ms = Number(option, value());
    } else if (option == u"--ui-language") {
      const std::u16string& language = value();
      if (language != u"ja" && language != u"en") throw Error(u"Not ja or en: " + language);
      options.faults.language =
          language == u"en" ? DisplayLanguage::kEnglish : DisplayLanguage::kJapanese;
    } else if (option == u"--protect-structure") {
      options.faults.protected_structure = true;
    } else if (option == u"--hidden-sheets") {
      options.hidden_sheets = SplitCommas(value());
    } else if (option == u"--cells") {
      // Rows apart at ";", cells at ",".
      const auto [name, rows] = SheetAndValue(option, value());
      auto& cells = Filled(options, name).cells;
      cells.clear();
      for (const auto& row : Split(rows, u';')) cells.push_back(SplitCommas(row));
    } else if (option == u"--number-format") {
      const auto [name, format] = SheetAndValue(option, value());
      Filled(options, name).number_format = format;
    } else if (option == u"--busy-from") {
      const auto [member, count] = SheetAndValue(option, value());
      options.busy.busy = true;
      options.busy.from_member = member;
      options.busy.from_count = static_cast<int>(Number(option, count));
      if (member.empty() || options.busy.from_count < 1) throw Error(u"No call to start from");
    } else if (option == u"--busy-for") {
      const std::u16string& length = value();
      options.busy.busy = true;
      if (length.ends_with(u"ms")) {
        options.busy.length_ms = Number(option, length.substr(0, length.size() - 2));
      } else if (length.ends_with(u"calls")) {
        options.busy.length_calls =
            static_cast<int>(Number(option, length.substr(0, length.size() - 5)));
      } else {
        throw Error(u"Neither ms nor calls: " + length);
      }
    } else if (option == u"--busy-form") {
      const std::u16string& form = value();
      if (form == u"rejected") {
        options.busy.form = BusyForm::kRejected;
      } else if (form == u"retrylater") {
        options.busy.form = BusyForm::kRetryLater;
      } else if (form == u"ignore") {
        options.busy.form = BusyForm::kIgnore;
      } else {
        throw Error(u"Not rejected, retrylater or ignore: " + form);
      }
    } else if (option == u"--log") {
      options.log_path = value();
    } else if (option == u"--dump") {
      options.dump_path = value();
    } else if (option == u"--ready") {
      options.ready_path = value();
    } else {
      throw Error(u"Unknown option: " + option);
    }
  }
  if (options.busy.busy && options.busy.length_ms == 0 && options.busy.length_calls == 0) {
    throw Error(u"A busy period needs --busy-for");
  }
  [[maybe_unused]] const Workbook refuses_bad_workbooks = MakeWorkbook(options);
  return options;
}

Workbook MakeWorkbook(const StandinOptions& options) {
  Workbook workbook(options.sheets, options.faults);
  for (const auto& name : options.hidden_sheets) workbook.Hide(workbook.SheetNamed(name));
  for (const auto& filled : options.filled_sheets) {
    const SheetId id = workbook.SheetNamed(filled.name);
    workbook.Fill(id, filled.cells);
    if (!filled.number_format.empty()) {
      workbook.SetNumberFormat(id, CellRange::AllCells(), filled.number_format);
    }
  }
  return workbook;
}
