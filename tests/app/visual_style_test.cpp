#include "app/visual_style.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string StyleText(const std::string& name) {
  std::string text = "; comment\nname = " + name + "\n";
  for (const char* control : {"button", "checkbox"}) {
    for (const char* state : {"normal", "hot", "pressed", "disabled"}) {
      for (const char* part : {"face", "border"}) {
        text += std::string(control) + "." + state + "." + part + " = #102030\r\n";
      }
    }
  }
  return text + "checkbox.mark = #A0B0C0\n";
}

}  // namespace

TEST(VisualStyle, ParsesColoursIntoColorrefOrder) {
  const auto style = ParseVisualStyle(StyleText("Aqua Light Slate"));
  ASSERT_TRUE(style);
  EXPECT_EQ(style->name, u"Aqua Light Slate");
  EXPECT_EQ(style->Button(ControlState::kHot).face, 0x302010u);
  EXPECT_EQ(style->check_mark, 0xC0B0A0u);
}

TEST(VisualStyle, RefusesIncompleteOrMalformedTexts) {
  const std::string good = StyleText("S");
  EXPECT_FALSE(ParseVisualStyle(good.substr(0, good.rfind("checkbox.mark"))));
  EXPECT_FALSE(ParseVisualStyle(good + "button.hot.face = #12345\n"));
  EXPECT_FALSE(ParseVisualStyle(good + "button.warm.face = #123456\n"));
  EXPECT_FALSE(ParseVisualStyle(good + "no equals sign\n"));
  EXPECT_FALSE(ParseVisualStyle(StyleText("")));
}

TEST(VisualStyle, IsFoundByNameWithoutRegardToCase) {
  const std::vector<std::string> texts = {StyleText("Windows"), StyleText("Aqua Light Slate")};
  ASSERT_TRUE(FindVisualStyle(texts, u"aqua LIGHT slate"));
  EXPECT_EQ(FindVisualStyle(texts, u"aqua LIGHT slate")->name, u"Aqua Light Slate");
  EXPECT_FALSE(FindVisualStyle(texts, u"Aqua Light Slate Dark"));
  EXPECT_FALSE(FindVisualStyle({}, u"Aqua Light Slate"));
}

TEST(VisualStyle, TheCarriedStyleIsComplete) {
  // The resource the executable carries must parse, or the tool runs unstyled.
  std::ifstream file(VELMORA_STYLE_FILE);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(FindVisualStyle({text}, u"Aqua Light Slate"));
}
