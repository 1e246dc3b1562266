#include "desktop/key_string.h"

#include <vector>

#include "desktop/key_count.h"
#include "desktop/key_names.h"

namespace {
constexpr std::uint8_t kShift = 16;
constexpr std::uint8_t kControl = 17;
constexpr std::uint8_t kAlt = 18;
constexpr std::uint8_t kEnter = 13;
constexpr std::uint16_t kShiftFlag = 0x100;

std::uint8_t LowByte(std::uint16_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

std::optional<std::uint8_t> ModifierOf(char16_t unit) {
  switch (unit) {
    case u'+':
      return kShift;
    case u'^':
      return kControl;
    case u'%':
      return kAlt;
    default:
      return std::nullopt;
  }
}
}  // namespace

void SendKeyString(std::u16string_view keys, KeyboardLayout& layout, KeySink& sink) {
  keys = keys.substr(0, keys.find(u'\0'));
  KeyStringSender sender(keys, layout, sink);
  for (std::size_t position = 0; position < keys.size();) position = sender.SendKeyItem(position);
}

KeyStringSender::KeyStringSender(std::u16string_view keys, KeyboardLayout& layout, KeySink& sink)
    : keys_(keys), layout_(layout), sink_(sink) {}

std::size_t KeyStringSender::SendKeyItem(std::size_t position) {
  // Modifiers still held and groups still open around the current item. They are kept here rather
  // than on the call stack, so that deep nesting in a key string cannot overflow it.
  constexpr std::uint8_t kGroup = 0;  // no modifier has code 0
  std::vector<std::uint8_t> open;
  for (;;) {
    const char16_t unit = keys_[position];
    if (layout_.IsLeadByte(LowByte(unit))) {
      position = SendDoubleByteCharacter(position);
    } else if (const auto modifier = ModifierOf(unit)) {
      sink_.Press(*modifier);
      open.push_back(*modifier);
      // Whatever follows is the modified item, even ")"; a modifier at the end acts on nothing.
      if (!AtEnd(++position)) continue;
    } else if (unit == u'(') {
      open.push_back(kGroup);
      ++position;
    } else {
      position = SendPlainItem(position);
    }
    // An item has ended: release the modifiers it completes and close the groups it completes.
    while (!open.empty()) {
      if (open.back() != kGroup) {
        sink_.Release(open.back());
      } else if (!AtEnd(position) && keys_[position] != u')') {
        break;  // the group's next item
      } else if (!AtEnd(position)) {
        ++position;
      }
      open.pop_back();
    }
    if (open.empty()) return position;
  }
}

std::size_t KeyStringSender::SendPlainItem(std::size_t position) {
  const char16_t unit = keys_[position];
  if (unit == u'~') {
    SendKey({kEnter, false}, 1);
  } else if (unit == u'{') {
    return SendKeyGroup(position + 1);
  } else {
    SendKey(ScanKey(unit), 1);
  }
  return position + 1;
}

std::size_t KeyStringSender::SendDoubleByteCharacter(std::size_t position) {
  const std::size_t trail = position + 1;
  if (AtEnd(trail)) return trail;
  sink_.PostCharPair(LowByte(keys_[position]), LowByte(keys_[trail]));
  return trail + 1;
}

std::size_t KeyStringSender::SendKeyGroup(std::size_t position) {
  std::optional<Key> key;
  std::size_t name_start = position;
  if (!AtEnd(position) && keys_[position] == u'}') {
    key = ScanGroupKey(u'}');
    name_start = position + 1;
  }
  std::size_t end = keys_.find_first_of(u" }", name_start);
  if (end == std::u16string_view::npos) return keys_.size();

  if (!key) {
    const std::u16string_view name = keys_.substr(name_start, end - name_start);
    if (const auto code = FindKeyName(name)) {
      key = Key{*code, false};
    } else if (name.size() == 1) {
      key = ScanGroupKey(name.front());
    }
  }

  const bool counted = keys_[end] == u' ';
  const std::size_t count_start = end + 1;
  if (counted) {
    end = keys_.find(u'}', count_start);
    if (end == std::u16string_view::npos) return keys_.size();
  }
  if (key) {
    SendKey(*key, counted ? ReadKeyCount(keys_.substr(count_start, end - count_start)) : 1);
  }
  return end + 1;
}

KeyStringSender::Key KeyStringSender::ScanKey(char16_t character) {
  const std::uint16_t scanned = layout_.ScanKey(character);
  return {LowByte(scanned), (scanned & kShiftFlag) != 0};
}

std::optional<KeyStringSender::Key> KeyStringSender::ScanGroupKey(char16_t character) {
  if (layout_.ScanKey(character) == 0) return std::nullopt;
  return ScanKey(character);
}

void KeyStringSender::SendKey(Key key, std::int32_t count) {
  if (key.shift) sink_.Press(kShift);
  for (std::int32_t i = 0; i < count; ++i) {
    sink_.Press(key.code);
    sink_.Release(key.code);
  }
  if (key.shift) sink_.Release(kShift);
}
