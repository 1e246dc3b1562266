#pragma once
// The key-string language: plain characters, "+", "^" and "%" holding Shift, Control and Alt
// around the next item, "~" for Enter, "(" items ")" as one item, and "{" name [count] "}".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "desktop/key_sink.h"

// Sends every item of the keys, up to their end or first null, in order.
void SendKeyString(std::u16string_view keys, KeyboardLayout& layout, KeySink& sink);

class KeyStringSender {
 public:
  KeyStringSender(std::u16string_view keys, KeyboardLayout& layout, KeySink& sink);

  // Send the item that starts at the position (not the end) and return the position after it.
  std::size_t SendKeyItem(std::size_t position);
  // Send the brace group whose "{" stands just before the position; return the position after its
  // "}", or the end when it is not closed.
  std::size_t SendKeyGroup(std::size_t position);

 private:
  struct Key {
    std::uint8_t code;
    bool shift;
  };

  bool AtEnd(std::size_t position) const { return position >= keys_.size(); }
  std::size_t SendDoubleByteCharacter(std::size_t position);
  std::size_t SendPlainItem(std::size_t position);
  Key ScanKey(char16_t character);
  std::optional<Key> ScanGroupKey(char16_t character);
  void SendKey(Key key, std::int32_t count);

  std::u16string_view keys_;
  KeyboardLayout& layout_;
  KeySink& sink_;
};
