#include "feed/zip/entry_name.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/ascii.h"
#include "base/error.h"
#include "base/strict_utf8.h"
#include "feed/zip/code_page_437.h"
#include "feed/zip/zip_failure_texts.h"

namespace {

[[noreturn]] void ThrowInvalidPath() {
  throw Error(kPathCharactersInvalid);
}

void CheckPathCharacters(std::u16string_view text) {
  const auto invalid = [](char16_t c) {
    return c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|';
  };
  if (std::any_of(text.begin(), text.end(), invalid)) ThrowInvalidPath();
}

// Windows reserves the superscripts one to three as COM and LPT numbers too.
bool IsDevicePortDigit(char16_t c) {
  return (c >= u'1' && c <= u'9') || c == u'\u00B9' || c == u'\u00B2' || c == u'\u00B3';
}

// Windows opens these as devices whatever the extension, and ignores trailing spaces.
bool IsDeviceName(std::u16string_view component) {
  auto base = component.substr(0, component.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  const std::u16string upper = AsciiUpperCopy(base);
  static constexpr std::array<std::u16string_view, 4> kFixed = {u"CON", u"PRN", u"AUX", u"NUL"};
  if (std::find(kFixed.begin(), kFixed.end(), upper) != kFixed.end()) return true;
  return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) &&
         IsDevicePortDigit(upper[3]);
}

std::u16string_view WithoutRoot(std::u16string_view name) {
  constexpr std::u16string_view kLongPathPrefix = u"\\\\?\\";
  if (name.starts_with(kLongPathPrefix)) name.remove_prefix(kLongPathPrefix.size());
  const bool drive = name.size() >= 2 && name[1] == u':' &&
                     ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
  if (drive) name.remove_prefix(2);
  return name;  // leading backslashes go as empty components
}

bool OnlyDotsAndSpaces(std::u16string_view component) {
  return component.find_first_not_of(u". ") == std::u16string_view::npos;
}

std::u16string ConfinedName(std::u16string_view name) {
  std::vector<std::u16string_view> kept;
  std::u16string_view rest = WithoutRoot(name);
  while (!rest.empty()) {
    const auto slash = rest.find(u'\\');
    const auto component = rest.substr(0, slash);
    rest = slash == std::u16string_view::npos ? std::u16string_view() : rest.substr(slash + 1);
    if (component.empty() || component == u".") continue;
    // "..", and what Windows would trim down to it, climbs one level, never above the folder.
    if (OnlyDotsAndSpaces(component)) {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    if (component.find(u':') != std::u16string_view::npos || IsDeviceName(component)) {
      ThrowInvalidPath();
    }
    kept.push_back(component);
  }
  std::u16string confined;
  for (const auto component : kept) {
    if (!confined.empty()) confined += u'\\';
    confined += component;
  }
  if (!confined.empty() && name.ends_with(u'\\')) confined += u'\\';
  return confined;
}

}  // namespace

std::u16string DecodeEntryName(std::string_view bytes, bool utf8) {
  std::u16string name;
  if (!utf8) {
    name = DecodeCodePage437(bytes);
  } else if (!DecodeStrictUtf8(bytes, name)) {
    throw Error(kNoUnicodeMapping);
  }
  std::replace(name.begin(), name.end(), u'/', u'\\');
  return name;
}

std::u16string EntryTargetPath(std::u16string_view folder, std::u16string_view name) {
  CheckPathCharacters(folder);
  CheckPathCharacters(name);
  std::u16string target(folder);
  if (!target.ends_with(u'\\')) target += u'\\';
  return target + ConfinedName(name);
}
