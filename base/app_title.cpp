#include "base/app_title.h"

#include <cwctype>

std::u16string ApplicationTitle(std::u16string_view executable_path) {
  const auto slash = executable_path.find_last_of(u"\\/:");
  auto name =
      slash == std::u16string_view::npos ? executable_path : executable_path.substr(slash + 1);
  name = name.substr(0, name.find(u'.'));
  std::u16string title(name);
  // Lower case maps a unit of the basic plane into the basic plane.
  for (std::size_t i = 1; i < title.size(); ++i) {
    title[i] = static_cast<char16_t>(std::towlower(static_cast<wint_t>(title[i])));
  }
  return title;
}
