#include "feed/feed_names.h"

#include <gtest/gtest.h>

#include "feed/folder_paths.h"

TEST(FeedNames, BaseIsUpToTheFirstStop) {
  struct Case {
    std::u16string_view list_name, base, copy;
  };
  for (const Case& c : {Case{u"stops.txt", u"stops", u"stops.csv"},
                        Case{u"stops.backup.txt", u"stops", u"stops.csv"},
                        Case{u"stops.csv", u"stops", u"stops.csv"}, Case{u"README", u"", u".csv"},
                        Case{u".txt", u"", u".csv"}, Case{u"駅.txt", u"駅", u"駅.csv"}}) {
    const FeedFileNames names = FeedFileNamesOf(c.list_name);
    EXPECT_EQ(names.base, c.base);
    EXPECT_EQ(names.copy, c.copy);
  }
}

TEST(FeedNames, SkipsFaresAndShapesOnlyWhileAskedAndCaseSensitively) {
  struct Case {
    std::u16string_view name;
    bool fares, shapes, skipped;
  };
  for (const Case& c :
       {Case{u"fare_attributes.txt", true, false, true}, Case{u"fare_rules.txt", true, false, true},
        Case{u"fare_rules.txt", false, true, false}, Case{u"fares.txt", true, true, false},
        Case{u"Fare_rules.txt", true, true, false}, Case{u"shapes.txt", false, true, true},
        Case{u"shape_dist.txt", false, true, true}, Case{u"shapes.txt", true, false, false},
        Case{u"Shapes.txt", true, true, false}, Case{u"stops.txt", true, true, false}}) {
    EXPECT_EQ(IsSkippedFeedFile(c.name, c.fares, c.shapes), c.skipped)
        << std::string(c.name.begin(), c.name.end()) << c.fares << c.shapes;
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
