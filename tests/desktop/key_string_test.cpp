#include "desktop/key_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A layout like a US keyboard for the characters the tests type, with the lead bytes of a
// Japanese code page; writes what it is sent as "+code" (press), "-code" (release) and
// "post(lead,trail)".
class RecordingKeyboard : public KeyboardLayout, public KeySink {
 public:
  std::uint16_t ScanKey(char16_t c) override {
    if (c >= u'a' && c <= u'z') return static_cast<std::uint16_t>(c - u'a' + 'A');
    if (c >= u'A' && c <= u'Z') return static_cast<std::uint16_t>(0x100 | c);
    switch (c) {
      case u'}':
        return 0x1DD;
      case u'{':
        return 0x1DB;
      case u'(':
        return 0x139;
      case u')':
        return 0x130;
      case u'+':
        return 0x1BB;
      case u'^':
        return 0x136;
      case u'%':
        return 0x135;
      case u'~':
        return 0x1C0;
      case u'@':
        return 0x651;  // Control and Alt, which are not sent
      case u'|':
        return 0x7DC;  // Shift with Control and Alt
      case u'\u00A0':
        return 0;  // a character the layout maps to no key at all
      default:
        return 0xFFFF;
    }
  }
  bool IsLeadByte(std::uint8_t byte) override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  void Press(std::uint8_t code) override { Write("+", code); }
  void Release(std::uint8_t code) override { Write("-", code); }
  void PostCharPair(std::uint8_t lead, std::uint8_t trail) override {
    Write("post(", lead);
    events += ',';
    events += std::to_string(trail);
    events += ')';
  }

  std::string events;

 private:
  void Write(const char* prefix, std::uint8_t code) {
    if (!events.empty()) events += ' ';
    events += prefix;
    events += std::to_string(code);
  }
};

std::string Typed(std::u16string_view keys) {
  RecordingKeyboard keyboard;
  SendKeyString(keys, keyboard, keyboard);
  return keyboard.events;
}

struct Case {
  std::u16string_view keys;
  std::string events;
};

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const std::u16string keys(c.keys);
    EXPECT_EQ(Typed(c.keys), c.events) << std::string(keys.begin(), keys.end());
  }
}

TEST(SendKeyString, GroupsNamingAKeyPressIt) {
  ExpectAll({
      {u"{ESC}", "+27 -27"},
      {u"{f16}{Henkan}{bksp}", "+127 -127 +28 -28 +8 -8"},
      {u"{F}", "+16 +70 -70 -16"},  // no such name: the one-character rule
  });
}

TEST(SendKeyString, CountsRepeatTheKey) {
  ExpectAll({
      {u"{ESC 3}", "+27 -27 +27 -27 +27 -27"},
      {u"{ESC  3}", "+27 -27 +27 -27 +27 -27"},
      {u"{TAB $2}", "+9 -9 +9 -9"},
      {u"{TAB 0X2}", "+9 -9 +9 -9"},
      {u"{TAB +1}", "+9 -9"},
      {u"{ESC 1}", "+27 -27"},
      {u"{ESC 0}a", "+65 -65"},
      {u"{ESC -1}a", "+65 -65"},
      {u"{ESC -2}a", "+65 -65"},
      {u"{ESC x}a", "+65 -65"},
      {u"{ESC }a", "+65 -65"},
      {u"{ESC 3 }a", "+65 -65"},
      {u"{ESC 1 2}a", "+65 -65"},
      {u"{A 2}", "+16 +65 -65 +65 -65 -16"},  // Shift held once around all presses
  });
}

TEST(SendKeyString, UnclosedGroupEndsTheSending) {
  ExpectAll({
      {u"a{ESC", "+65 -65"},
      {u"{XYZ 3", ""},
      {u"{ESC 3", ""},
      {u"a{ESC 3b", "+65 -65"},
      {u"{}", ""},
      {u"{}xy", ""},
  });
}

TEST(SendKeyString, UnknownGroupsAreConsumedSilently) {
  ExpectAll({
      {u"{XYZ}abc", "+65 -65 +66 -66 +67 -67"},
      {u"{XYZ 3}a", "+65 -65"},
      {u"{}a", ""},
      {u"{ }a", "+65 -65"},
      {u"{\u00A0}a", "+65 -65"},  // no key for it: nothing, unlike outside braces
      {u"\u00A0", "+0 -0"},
  });
}

TEST(SendKeyString, ClosingBraceForms) {
  ExpectAll({
      {u"{}}", "+16 +221 -221 -16"},
      {u"{} 2}", "+16 +221 -221 +221 -221 -16"},
      {u"{}xy}a", "+16 +221 -221 -16 +65 -65"},
  });
}

TEST(SendKeyString, OneCharacterGroupsTypeTheCharacter) {
  ExpectAll({
      {u"{+}", "+16 +187 -187 -16"},
      {u"{^}", "+16 +54 -54 -16"},
      {u"{%}", "+16 +53 -53 -16"},
      {u"{~}", "+16 +192 -192 -16"},
      {u"{(}", "+16 +57 -57 -16"},
      {u"{)}", "+16 +48 -48 -16"},
      {u"{{}", "+16 +219 -219 -16"},
      {u"{a 2}", "+65 -65 +65 -65"},
      {u"{\u20AC}", "+16 +255 -255 -16"},
  });
}

TEST(SendKeyString, ModifiersAndGroups) {
  ExpectAll({
      {u"+(ab)c", "+16 +65 -65 +66 -66 -16 +67 -67"},
      {u"+^a", "+16 +17 +65 -65 -17 -16"},
      {u"%(a+b)c", "+18 +65 -65 +16 +66 -66 -16 -18 +67 -67"},
      {u"a)b", "+65 -65 +16 +48 -48 -16 +66 -66"},
      {u"(+)a)b", "+16 +16 +48 -48 -16 -16 +65 -65 +66 -66"},  // the modified item may be ")"
      {u"(abc", "+65 -65 +66 -66 +67 -67"},
      {u"()a", "+65 -65"},
      {u"~", "+13 -13"},
      {u"^{ESC 2}", "+17 +27 -27 +27 -27 -17"},
  });
}

TEST(SendKeyString, CharactersUseTheLayout) {
  ExpectAll({
      {u"A", "+16 +65 -65 -16"},
      {u"\u20AC", "+16 +255 -255 -16"},  // the layout cannot type it
      {u"@", "+81 -81"},                 // only the Shift bit of the layout's answer counts
      {u"|", "+16 +220 -220 -16"},
      {u"{@ 2}", "+81 -81 +81 -81"},
  });
}

TEST(SendKeyString, TrailingModifierIsReleasedWithNothingBetween) {
  ExpectAll({
      {u"+", "+16 -16"},
      {u"a%", "+65 -65 +18 -18"},
      {u"(^", "+17 -17"},
      {u"+^", "+16 +17 -17 -16"},
  });
}

TEST(SendKeyString, EndsAtEmptyTextOrFirstNull) {
  EXPECT_EQ(Typed(u""), "");
  EXPECT_EQ(Typed(std::u16string_view(u"a\0b", 3)), "+65 -65");
  EXPECT_EQ(Typed(std::u16string_view(u"{ESC\0}", 6)), "");
}

TEST(SendKeyString, DoubleBytePairsArePostedAsCharacters) {
  ExpectAll({
      {u"\u0081\u0041b", "post(129,65) +66 -66"},
      {u"\u30E0\u0142", "post(224,66)"},  // only the low bytes count
      {u"+\u0081x", "+16 post(129,120) -16"},
      {u"a\u0081", "+65 -65"},  // a lead at the end is dropped
      {u"\u0081+", "post(129,43)"},
  });
}

TEST(SendKeyString, DeepNestingDoesNotExhaustTheStack) {
  const std::u16string nested = std::u16string(1'000'000, u'(') + u"a";
  EXPECT_EQ(Typed(nested), "+65 -65");
  const std::u16string held = std::u16string(200'000, u'^') + u"a";
  RecordingKeyboard keyboard;
  SendKeyString(held, keyboard, keyboard);
  EXPECT_EQ(keyboard.events.size(), 200'000 * std::string("+17 -17 ").size() + 7);
}
}  // namespace
