#pragma once
// The application's visual style: the face and border colours of the push button and the check
// boxes in each state. Styles are carried as text resources of lines "key = #RRGGBB" with one
// "name = ..." line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using Rgb = std::uint32_t;  // 0x00BBGGRR, as the Win32 COLORREF

enum class ControlState { kNormal, kHot, kPressed, kDisabled };

struct StateColours {
  Rgb face = 0;
  Rgb border = 0;
};

struct VisualStyle {
  std::u16string name;
  StateColours button[4];
  StateColours check_box[4];
  Rgb check_mark = 0;

  const StateColours& Button(ControlState state) const { return button[static_cast<int>(state)]; }
  const StateColours& CheckBox(ControlState state) const {
    return check_box[static_cast<int>(state)];
  }
};

// Nullopt when the text lacks the name or any colour, or holds a line it does not understand.
std::optional<VisualStyle> ParseVisualStyle(std::string_view text);

// The style whose name equals the wanted one without regard to case (ASCII letters).
std::optional<VisualStyle> FindVisualStyle(const std::vector<std::string>& style_texts,
                                           std::u16string_view wanted_name);
