#include "standin/core/options.h"

#include <limits>

#include "base/error.h"

namespace {

std::vector<std::u16string> SplitCommas(const std::u16string& list) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto comma = list.find(u',', start);
    parts.push_back(list.substr(start, comma - start));
    if (comma == std::u16string::npos) return parts;
    start = comma + 1;
  }
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
  [[maybe_unused]] const Workbook refuses_bad_names(options.sheets, options.faults);
  return options;
}
