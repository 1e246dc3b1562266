#include "desktop/window_walk.h"

#include <gtest/gtest.h>

#include <stdexcept>
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
    if (window == throwing_from) throw std::runtime_error("gone");
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
  WindowId throwing_from = kNoWindow;

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

TEST(FindTopWindowIn, ModesDecideHowTheCaptionMatches) {
  const std::vector<std::u16string> captions = {u"Book1 - Excel", u"EXCEL", u"Excel", u"Excel 2"};
  const struct {
    std::u16string_view text;
    std::int32_t mode;
    WindowId found;
  } cases[] = {
      {u"Excel", 0, 3},   {u"Excel", 1, 3}, {u"Excel", 2, 1}, {u"Excel", 3, 3},
      {u"Excel 2", 0, 4}, {u"Book", 2, 1},  {u"excel", 2, 0}, {u"Excel", 4, 0},
      {u"Excel", -1, 0},  {u"2", 1, 0},     {u"2", 2, 4},     {u"Excel 23", 1, 0},
  };
  for (const auto& c : cases) {
    FakeWindows windows(captions);
    EXPECT_EQ(Find(windows, c.text, c.mode), c.found) << "mode " << c.mode;
    const bool activates = c.found != kNoWindow && c.mode != 3;
    EXPECT_EQ(windows.activated.size(), activates ? 1u : 0u) << "mode " << c.mode;
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
  }
  FakeWindows windows(captions);
  EXPECT_EQ(Find(windows, u"Excel", 0, u"Excel"), kNoWindow);
}

TEST(FindTopWindowIn, OnlyTheFirst99UnitsOfACaptionCount) {
  FakeWindows windows({std::u16string(95, u'.') + u"Excel", std::u16string(94, u'.') + u"Excel"});
  EXPECT_EQ(Find(windows, u"Excel", 2), 2u);
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

  FakeWindows gone_matching({u"Excel", u"Excel"});
  gone_matching.Vanish(1);
  EXPECT_EQ(Find(gone_matching, u"Excel", 2), kNoWindow);
  EXPECT_TRUE(gone_matching.activated.empty());

  FakeWindows failing({u"Tool", u"Excel"});
  failing.throwing_from = 1;
  EXPECT_EQ(Find(failing, u"Excel", 2), kNoWindow);

  FakeWindows none({});
  EXPECT_EQ(Find(none, u"", 0), kNoWindow);
}

TEST(FindTopWindowIn, StopsAfterTheWalkLimit) {
  std::vector<std::u16string> captions(kWalkLimit, u"Tool");
  FakeWindows exactly(captions);
  EXPECT_EQ(Find(exactly, u"Excel", 2), kNoWindow);
  EXPECT_EQ(exactly.captions_read, std::size_t{kWalkLimit});

  captions.back() = u"Excel";
  FakeWindows last_matches(captions);
  EXPECT_EQ(Find(last_matches, u"Excel", 2), WindowId{kWalkLimit});

  captions.push_back(u"Excel");
  FakeWindows more(captions);
  EXPECT_EQ(Find(more, u"Excel", 4), kWalkLimitReached);
  captions[kWalkLimit - 1] = u"Tool";
  FakeWindows match_beyond(captions);
  EXPECT_EQ(Find(match_beyond, u"Excel", 2), kWalkLimitReached);
  EXPECT_EQ(match_beyond.captions_read, std::size_t{kWalkLimit});
  EXPECT_EQ(static_cast<std::int32_t>(kWalkLimitReached), -1);
}
}  // namespace
