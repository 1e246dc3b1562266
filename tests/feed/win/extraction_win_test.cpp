#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "feed/win/working_folder.h"
#include "feed/zip/ZipEX.h"
#include "tests/feed/win/win_test_folder.h"
#include "tests/shared_data.h"

using ::testing::ElementsAre;

namespace {
std::u16string CorpusFeed(const std::u16string& name) {
  return u"" FEED_CORPUS u"/" + name;
}
}  // namespace

TEST(FeedExtraction, EachRunListsOnlyTheFeedItExtracted) {
  REQUIRE_SHARED_DATA(std::filesystem::exists(std::filesystem::path(CorpusFeed(u""))),
                      std::string("the shared corpus " FEED_CORPUS));
  RegisterStandardCompressionHandlers();
  TestFolder test;
  const std::u16string folder = test / u"tools\\feeds\\GTFS_TEMP";  // parents made too

  ExtractFeedArchive(CorpusFeed(u"hakodate_shiden.zip"), folder);
  EXPECT_EQ(ListFeedFiles(folder).size(), 13u);

  DeleteWorkingFolder(nullptr, folder);
  ExtractFeedArchive(CorpusFeed(u"keifuku_rosen.zip"), folder);
  EXPECT_THAT(
      ListFeedFiles(folder),
      ElementsAre(u"agency.txt", u"calendar.txt", u"calendar_dates.txt", u"fare_attributes.txt",
                  u"fare_rules.txt", u"feed_info.txt", u"routes.txt", u"shapes.txt",
                  u"stop_times.txt", u"stops.txt", u"translations.txt", u"trips.txt"));

  DeleteWorkingFolder(nullptr, folder);
  ExtractFeedArchive(CorpusFeed(u"transitland_example_nested.zip"), folder);
  EXPECT_TRUE(ListFeedFiles(folder).empty());  // its files lie in a subfolder
}
