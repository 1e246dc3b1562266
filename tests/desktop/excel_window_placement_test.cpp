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

// Actions go by the numbers callers pass: 0 nothing, 1 a right-click, 2 Escape.

// Find, then a second of the tool's messages, then the placement.
Lines UpToPlacement(const std::string& place) {
  Lines lines = {"Find"};
  for (int i = 0; i < 100; ++i) lines.insert(lines.end(), {"Pump", "Sleep 10"});
  lines.push_back(place);
  return lines;
}

Lines Then(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

TEST(PlaceExcelWindow, SendsEscapeOnlyToTheFoundWindowWhenItIsInTheForeground) {
  const struct {
    const char* desktop;
    WindowId found, foreground;
    std::string place;
    Lines after;
  } cases[] = {
      {"Excel in front",
       kExcel,
       kExcel,
       "Place 4660 20,20 1880x1040",
       {"Rect", "Foreground", "Keys {ESC}"}},
      // The system refused Excel the foreground: the key would reach the other program.
      {"another program in front",
       kExcel,
       kOtherProgram,
       "Place 4660 20,20 1880x1040",
       {"Rect", "Foreground"}},
      {"no Excel window, none in front", kNoWindow, kNoWindow, "Place 0 20,20 1880x1040", {}},
      {"walk limit reached",
       kWalkLimitReached,
       kWalkLimitReached,
       "Place 18446744073709551615 20,20 1880x1040",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.desktop);
    RecordingDesktop desktop;
    desktop.found = c.found;
    desktop.foreground = c.foreground;
    PlaceExcelWindowOn(desktop, 0, 2);
    EXPECT_THAT(desktop.log, ElementsAreArray(Then(UpToPlacement(c.place), c.after)));
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
      {"right-click", 0, 1, kExcel, Then(UpToPlacement("Place 4660 20,20 1880x1040"), click)},
      {"right-click, no window", 0, 1, kNoWindow, UpToPlacement("Place 0 20,20 1880x1040")},
      {"nothing, top 100", 100, 0, kExcel,
       Then(UpToPlacement("Place 4660 20,100 1880x1060"), {"Rect"})},
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
  EXPECT_NO_THROW(PlaceExcelWindowOn(desktop, 0, 2));
  EXPECT_THAT(desktop.log, ElementsAreArray(Lines{"Find"}));
}

}  // namespace
