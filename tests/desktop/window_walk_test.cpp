#include "desktop/window_walk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {
// Windows 1..n from the top of the Z order; a caption is cut like GetWindowTextW cuts it.
class FakeWindows : public WindowSystem {
 public:
  explicit FakeWindows(std::vector<std::u16string> captions) : captions_(std::move(captions)) {
    alive_.assign(captions_.size(), true);
  }

  WindowId First() override { return captions_.empty() ? kNoWindow : 1; }
  WindowId Next(WindowId window) override {
    return window < captions_.size() ? window + 1 : kNoWindow;
  }
  std::u16string Caption(WindowId window, std::size_t buffer_units) override {
    ++captions_read;
    return captions_[window - 1].substr(0, buffer_units - 1);
  }
  bool IsWindow(WindowId window) override { return alive_[window - 1]; }
  void Activate(WindowId window) override { activated.push_back(window); }

  void Vanish(WindowId window) { alive_[window - 1] = false; }

  std::vector<WindowId> activated;
  std::size_t captions_read = 0;

 private:
  std::vector<std::u16string> captions_;
  std::vector<bool> alive_;
};

WindowId Find(FakeWindows& windows, std::u16string_view text, std::int32_t mode,
              std::u16string_view exclude1 = u"", std::u16string_view exclude2 = u"") {
  return FindTopWindowIn(windows, text, exclude1, exclude2, mode);
}

TEST(FindTopWindowIn, HigherWindowWinsAndIsActivated) {
  FakeWindows windows({u"Tool", u"Book1 - Excel", u"Microsoft Excel"});
  EXPECT_EQ(Find(windows, u"Excel", 2), 2u);
  EXPECT_EQ(windows.activated, std::vector<WindowId>{2});
}

TEST(FindTopWindowIn, EachModeHasAWindowOnlyItMatches) {
  // From the top: contains "Excel", begins with it, equals it, and the same in capitals.
  const std::vector<std::u16string> captions = {u"Book1 - Excel", u"Excel 2", u"Excel", u"EXCEL"};
  const struct {
    std::u16string_view text;
    std::int32_t mode;
    WindowId found;
    bool activated;
  } cases[] = {
      {u"Excel", 0, 3, true},  {u"Excel", 1, 2, true},     {u"Excel", 2, 1, true},
      {u"Excel", 3, 2, false}, {u"Excel 2", 0, 2, true},   {u"EXCEL", 2, 4, true},
      {u"excel", 2, 0, false}, {u"2", 1, 0, false},        {u"2", 3, 0, false},
      {u"2", 2, 2, true},      {u"Excel 23", 1, 0, false}, {u"Book1", 0, 0, false},
      {u"Excel", 4, 0, false}, {u"Excel", -1, 0, false},
  };
  for (const auto& c : cases) {
    FakeWindows windows(captions);
    const WindowId found = Find(windows, c.text, c.mode);
    EXPECT_EQ(found, c.found) << "mode " << c.mode;
    EXPECT_EQ(windows.activated,
              c.activated ? std::vector<WindowId>{found} : std::vector<WindowId>{})
        << "mode " << c.mode;
    // Without a match the walk goes down to the last window.
    if (c.found == kNoWindow) {
      EXPECT_EQ(windows.captions_read, 4u) << "mode " << c.mode;
    }
  }
}

TEST(FindTopWindowIn, ExclusionsRejectInEveryMode) {
  const std::vector<std::u16string> captions = {u"Excel - old", u"Excel - new", u"Excel"};
  for (std::int32_t mode : {1, 2, 3}) {
    FakeWindows windows(captions);
    EXPECT_EQ(Find(windows, u"Excel", mode, u"old"), 2u);
    EXPECT_EQ(Find(windows, u"Excel", mode, u"", u"old"), 2u);
    EXPECT_EQ(Find(windows, u"Excel", mode, u"new", u"old"), 3u);
    EXPECT_EQ(Find(windows, u"Excel", mode, u"Ex", u""), kNoWindow);
    EXPECT_EQ(Find(windows, u"Excel", mode, u"OLD", u"NEW"), 1u);  // case counts here too
  }
  FakeWindows windows(captions);
  EXPECT_EQ(Find(windows, u"Excel", 0, u"old", u"new"), 3u);
  EXPECT_EQ(Find(windows, u"Excel", 0, u"Excel"), kNoWindow);
  EXPECT_EQ(Find(windows, u"Excel", 0, u"", u"cel"), kNoWindow);
}

TEST(FindTopWindowIn, OnlyTheFirst99UnitsOfACaptionCount) {
  const std::u16string hundred_units = std::u16string(95, u'.') + u"Excel";
  FakeWindows windows({hundred_units, std::u16string(94, u'.') + u"Excel"});
  EXPECT_EQ(Find(windows, u"Excel", 2), 2u);

  FakeWindows cut({hundred_units});
  EXPECT_EQ(Find(cut, hundred_units, 0), kNoWindow);
  EXPECT_EQ(Find(cut, hundred_units.substr(0, 99), 0), 1u);
}

TEST(FindTopWindowIn, EmptyTextMatchesOnlyAnEmptyCaptionInMode0) {
  const std::vector<std::u16string> captions = {u"Tool", u"", u"Excel"};
  FakeWindows windows(captions);
  EXPECT_EQ(Find(windows, u"", 0), 2u);
  for (std::int32_t mode : {1, 2, 3}) {
    FakeWindows others(captions);
    EXPECT_EQ(Find(others, u"", mode), kNoWindow);
    EXPECT_EQ(others.captions_read, captions.size());
  }
}

TEST(FindTopWindowIn, VanishedWindowEndsTheSearch) {
  FakeWindows gone_before({u"Tool", u"Excel"});
  gone_before.Vanish(1);
  EXPECT_EQ(Find(gone_before, u"Excel", 2), kNoWindow);
  EXPECT_EQ(gone_before.captions_read, 1u);

  FakeWindows gone_matching({u"Excel", u"Excel"});
  gone_matching.Vanish(1);
  EXPECT_EQ(Find(gone_matching, u"Excel", 2), kNoWindow);
  EXPECT_TRUE(gone_matching.activated.empty());

  FakeWindows none({});
  EXPECT_EQ(Find(none, u"", 0), kNoWindow);
}

const WindowId kMinusOne = static_cast<WindowId>(std::intptr_t{-1});

std::vector<std::u16string> Tools(std::size_t count) {
  return std::vector<std::u16string>(count, u"Tool");
}

TEST(FindTopWindowIn, ExaminesAtMost30000Windows) {
  FakeWindows exactly(Tools(30000));
  EXPECT_EQ(Find(exactly, u"Excel", 2), kNoWindow);
  EXPECT_EQ(exactly.captions_read, 30000u);

  FakeWindows one_more(Tools(30001));
  EXPECT_EQ(Find(one_more, u"Excel", 2), kMinusOne);
  EXPECT_EQ(one_more.captions_read, 30000u);

  FakeWindows other_mode(Tools(30001));
  EXPECT_EQ(Find(other_mode, u"Tool", 4), kMinusOne);
}

TEST(FindTopWindowIn, MatchAtTheLimitIsFoundButNotOnePast) {
  auto captions = Tools(30001);
  captions[29999] = u"Excel";
  FakeWindows at_limit(captions);
  EXPECT_EQ(Find(at_limit, u"Excel", 2), 30000u);
  EXPECT_EQ(at_limit.activated, std::vector<WindowId>{30000});

  captions[29999] = u"Tool";
  captions[30000] = u"Excel";
  FakeWindows past_limit(captions);
  EXPECT_EQ(Find(past_limit, u"Excel", 2), kMinusOne);
  EXPECT_TRUE(past_limit.activated.empty());
}
}  // namespace
