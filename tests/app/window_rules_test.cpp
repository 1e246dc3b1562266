#include <gtest/gtest.h>

#include <fstream>

#include "app/form_placement.h"
#include "app/visual_style.h"

TEST(FormShowPosition, CentresHorizontallyAndPutsTheCentreAThirdDown) {
  EXPECT_EQ(FormShowPosition(1920, 1080, 312, 231).left, 960 - 156);
  EXPECT_EQ(FormShowPosition(1920, 1080, 312, 231).top, 360 - 115);
  // Odd sizes truncate before subtracting.
  EXPECT_EQ(FormShowPosition(1025, 769, 313, 233).left, 512 - 156);
  EXPECT_EQ(FormShowPosition(1025, 769, 313, 233).top, 256 - 116);
  // A window taller than two thirds of the screen goes above its top edge.
  EXPECT_EQ(FormShowPosition(800, 300, 100, 250).top, 100 - 125);
}

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
