#include "desktop/excel_window_placement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;

constexpr WindowId kExcel = 0x1234;
constexpr WindowId kOtherProgram = 0x5678;

// A 1920 by 1080 desktop that writes each step into one log.
struct RecordingDesktop : PlacementDesktop {
  WindowId found = kExcel;
  WindowId foreground = kExcel;
  bool find_fails = false;
  Lines log;

  std::int32_t ScreenWidth() override { return 1920; }
  std::int32_t ScreenHeight() override { return 1080; }
  WindowId FindExcelWindow() override {
    log.push_back("Find");
    if (find_fails) throw std::runtime_error("walk failed");
    return found;
  }
  void ProcessPendingMessages() override { log.push_back("Pump"); }
  void Sleep(std::uint32_t ms) override { log.push_back("Sleep " + std::to_string(ms)); }
  void Place(WindowId window, const Placement& p) override {
    log.push_back("Place " + std::to_string(window) + " " + std::to_string(p.left) + "," +
                  std::to_string(p.top) + " " + std::to_string(p.width) + "x" +
                  std::to_string(p.height));
  }
  std::optional<WindowRect> OuterRect(WindowId) override {
    log.push_back("Rect");
    return WindowRect{20, 20, 1900, 1060};
  }
  WindowId Foreground() override {
    log.push_back("Foreground");
    return foreground;
  }
  void MoveCursor(ScreenPoint point) override {
    log.push_back("Cursor " + std::to_string(point.x) + "," + std::to_string(point.y));
  }
  void RightButton(bool down) override { log.push_back(down ? "RightDown" : "RightUp"); }
  void SendKeys(std::u16string_view keys) override {
    log.push_back("Keys " + std::string(keys.begin(), keys.end()));
  }
};

// Find, then a second of the tool's messages, then the placement.
Lines UpToPlacement(WindowId window, const std::string& rect) {
  Lines lines = {"Find"};
  for (int i = 0; i < 100; ++i) lines.insert(lines.end(), {"Pump", "Sleep 10"});
  lines.push_back("Place " + std::to_string(window) + " " + rect);
  return lines;
}

Lines Then(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

TEST(PlaceExcelWindow, SendsEscapeOnlyToTheFoundWindowWhenItIsInTheForeground) {
  const std::string all_round = "20,20 1880x1040";
  const struct {
    const char* desktop;
    WindowId found, foreground;
    Lines after;
  } cases[] = {
      {"Excel in front", kExcel, kExcel, {"Rect", "Foreground", "Keys {ESC}"}},
      // The system refused Excel the foreground: the key would reach the other program.
      {"another program in front", kExcel, kOtherProgram, {"Rect", "Foreground"}},
      {"no Excel window, none in front", kNoWindow, kNoWindow, {}},
      {"walk limit reached", kWalkLimitReached, kWalkLimitReached, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.desktop);
    RecordingDesktop desktop;
    desktop.found = c.found;
    desktop.foreground = c.foreground;
    PlaceExcelWindowOn(desktop, kMarginAllRound, kSendEscape);
    EXPECT_THAT(desktop.log, ElementsAreArray(Then(UpToPlacement(c.found, all_round), c.after)));
  }
}

TEST(PlaceExcelWindow, OtherActionsAfterThePlacement) {
  const Lines click = {"Rect",      "Sleep 1000", "Cursor 960,34", "RightDown", "Pump",
                       "Sleep 300", "RightUp",    "Pump",          "Sleep 1000"};
  const struct {
    const char* action_name;
    std::int32_t top, action;
    WindowId found;
    Lines expected;
  } cases[] = {
      {"right-click", 0, kRightClickTitleBar, kExcel,
       Then(UpToPlacement(kExcel, "20,20 1880x1040"), click)},
      {"right-click, no window", 0, kRightClickTitleBar, kNoWindow,
       UpToPlacement(kNoWindow, "20,20 1880x1040")},
      {"nothing, top 100", 100, kNothingAfterPlacing, kExcel,
       Then(UpToPlacement(kExcel, "20,100 1880x1060"), {"Rect"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action_name);
    RecordingDesktop desktop;
    desktop.found = c.found;
    PlaceExcelWindowOn(desktop, c.top, c.action);
    EXPECT_THAT(desktop.log, ElementsAreArray(c.expected));
  }
}

TEST(PlaceExcelWindow, AFailureEndsItQuietly) {
  RecordingDesktop desktop;
  desktop.find_fails = true;
  EXPECT_NO_THROW(PlaceExcelWindowOn(desktop, kMarginAllRound, kSendEscape));
  EXPECT_THAT(desktop.log, ElementsAreArray(Lines{"Find"}));
}

}  // namespace
