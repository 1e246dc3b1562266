#include "feed/feed_names.h"

#include <gtest/gtest.h>

#include "feed/folder_paths.h"

TEST(FeedNames, BaseIsUpToTheFirstStop) {
  struct Case {
    std::u16string_view list_name, base, copy;
  };
  for (const Case& c :
       {Case{u"stops.txt", u"stops", u"stops.csv"},
        Case{u"stops.backup.txt", u"stops", u"stops.csv"}, Case{u"a.b.c.d", u"a", u"a.csv"},
        Case{u"stops.csv", u"stops", u"stops.csv"}, Case{u"stops.", u"stops", u"stops.csv"},
        Case{u"Stop Times.TXT", u"Stop Times", u"Stop Times.csv"}, Case{u"README", u"", u".csv"},
        Case{u"", u"", u".csv"}, Case{u".txt", u"", u".csv"}, Case{u"..txt", u"", u".csv"},
        Case{u".", u"", u".csv"}, Case{u"駅.txt", u"駅", u"駅.csv"},
        Case{u"駅。txt", u"", u".csv"}}) {
    const FeedFileNames names = FeedFileNamesOf(c.list_name);
    EXPECT_EQ(names.base, c.base) << ::testing::PrintToString(std::u16string(c.list_name));
    EXPECT_EQ(names.copy, c.copy) << ::testing::PrintToString(std::u16string(c.list_name));
  }
}

TEST(FeedNames, SkipsFaresAndShapesOnlyWhileAskedAndCaseSensitively) {
  // Whether the name is skipped with only the fares box checked, only the shapes box, both.
  struct Case {
    std::u16string_view name;
    bool fares, shapes, both;
  };
  for (const Case& c : {
           Case{u"fare_attributes.txt", true, false, true},
           Case{u"fare_rules.txt", true, false, true},
           Case{u"fare_", true, false, true},
           Case{u"old_fare_rules.txt", true, false, true},
           Case{u"rules.fare_", true, false, true},
           Case{u"fares.txt", false, false, false},
           Case{u"fare.txt", false, false, false},
           Case{u"fare-rules.txt", false, false, false},
           Case{u"far_e.txt", false, false, false},
           Case{u"Fare_rules.txt", false, false, false},
           Case{u"fAre_rules.txt", false, false, false},
           Case{u"FARE_RULES.TXT", false, false, false},
           Case{u"shapes.txt", false, true, true},
           Case{u"shape.txt", false, true, true},
           Case{u"shape_dist.txt", false, true, true},
           Case{u"trip_shapes.txt", false, true, true},
           Case{u"x.shape", false, true, true},
           Case{u"shap.txt", false, false, false},
           Case{u"sha_pe.txt", false, false, false},
           Case{u"Shapes.txt", false, false, false},
           Case{u"shaPes.txt", false, false, false},
           Case{u"SHAPES.TXT", false, false, false},
           Case{u"fare_shapes.txt", true, true, true},
           Case{u"stops.txt", false, false, false},
           Case{u"", false, false, false},
       }) {
    const std::string name(c.name.begin(), c.name.end());
    EXPECT_FALSE(IsSkippedFeedFile(c.name, false, false)) << name;
    EXPECT_EQ(IsSkippedFeedFile(c.name, true, false), c.fares) << name;
    EXPECT_EQ(IsSkippedFeedFile(c.name, false, true), c.shapes) << name;
    EXPECT_EQ(IsSkippedFeedFile(c.name, true, true), c.both) << name;
  }
}

TEST(FolderPaths, FolderEndsAtTheLastBackslash) {
  EXPECT_EQ(FolderOfPath(u"C:\\tools\\feeds\\tool.exe"), u"C:\\tools\\feeds\\");
  EXPECT_EQ(FolderOfPath(u"C:\\tool.exe"), u"C:\\");
  EXPECT_EQ(FolderOfPath(u"tool.exe"), u"");
}

TEST(FolderPaths, TrimDropsSpacesAndControlsAtBothEnds) {
  EXPECT_EQ(TrimmedPath(u" \t\r\nC:\\a b\\GTFS_TEMP \x01"), u"C:\\a b\\GTFS_TEMP");
  EXPECT_EQ(TrimmedPath(u"   "), u"");
}
