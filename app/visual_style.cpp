#include "app/visual_style.h"

#include <array>

#include "base/ascii.h"
#include "base/utf.h"

namespace {

constexpr std::array<std::string_view, 4> kStateNames = {"normal", "hot", "pressed", "disabled"};

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::optional<Rgb> ParseColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  Rgb rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    rgb = rgb << 4 | static_cast<Rgb>(digit);
  }
  // #RRGGBB to 0x00BBGGRR.
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

// The colour slot that a key such as "button.hot.face" names, or null.
Rgb* Slot(VisualStyle& style, std::string_view key) {
  if (key == "checkbox.mark") return &style.check_mark;
  const auto first_dot = key.find('.');
  const auto last_dot = key.rfind('.');
  if (first_dot == std::string_view::npos || first_dot == last_dot) return nullptr;
  const auto control = key.substr(0, first_dot);
  const auto state = key.substr(first_dot + 1, last_dot - first_dot - 1);
  const auto part = key.substr(last_dot + 1);
  StateColours* colours = control == "button"     ? style.button
                          : control == "checkbox" ? style.check_box
                                                  : nullptr;
  for (std::size_t i = 0; colours && i < kStateNames.size(); ++i) {
    if (state != kStateNames[i]) continue;
    if (part == "face") return &colours[i].face;
    if (part == "border") return &colours[i].border;
  }
  return nullptr;
}

}  // namespace

std::optional<VisualStyle> ParseVisualStyle(std::string_view text) {
  VisualStyle style;
  // Every colour must be given: 2 controls x 4 states x face and border, and the mark.
  constexpr int kColourCount = 2 * 4 * 2 + 1;
  int colours = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line[0] == ';') continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const auto key = Trim(line.substr(0, equals));
    const auto value = Trim(line.substr(equals + 1));
    if (key == "name") {
      style.name = Utf8ToUtf16(value);
      continue;
    }
    Rgb* slot = Slot(style, key);
    const auto colour = ParseColour(value);
    if (!slot || !colour) return std::nullopt;
    *slot = *colour;
    ++colours;
  }
  if (style.name.empty() || colours != kColourCount) return std::nullopt;
  return style;
}

std::optional<VisualStyle> FindVisualStyle(const std::vector<std::string>& style_texts,
                                           std::u16string_view wanted_name) {
  for (const auto& text : style_texts) {
    auto style = ParseVisualStyle(text);
    if (style && EqualsAsciiCaseless(style->name, wanted_name)) return style;
  }
  return std::nullopt;
}
