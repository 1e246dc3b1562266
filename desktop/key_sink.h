#pragma once
// What the key-string parser needs from the platform: the layout's answers, and somewhere to send
// the keys.
#include <cstdint>

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // The layout's 16-bit key for a character: virtual-key code in the low byte, 0x100 for Shift;
  // 0xFFFF when the layout cannot type it.
  virtual std::uint16_t ScanKey(char16_t character) = 0;
  // Whether the byte leads a double-byte character in the system's ANSI code page.
  virtual bool IsLeadByte(std::uint8_t byte) = 0;
};

class KeySink {
 public:
  virtual ~KeySink() = default;
  virtual void Press(std::uint8_t code) = 0;
  virtual void Release(std::uint8_t code) = 0;
  // Types a double-byte character as two character messages to the focused window.
  virtual void PostCharPair(std::uint8_t lead, std::uint8_t trail) = 0;
};
