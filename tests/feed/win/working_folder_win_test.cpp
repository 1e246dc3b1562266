#include "feed/win/working_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"
#include "tests/feed/win/win_test_folder.h"

using ::testing::ElementsAre;

namespace {
std::u16string ListingError(const std::u16string& folder) {
  try {
    ListFeedFiles(folder);
  } catch (const Error& e) {
    return e.text();
  }
  return u"(no error)";
}
}  // namespace

TEST(WorkingFolder, LiesBesideTheExecutable) {
  wchar_t module[MAX_PATH + 1];
  const std::u16string path = FromWide(module, GetModuleFileNameW(nullptr, module, MAX_PATH));
  const std::u16string folder = ExeFolder();
  EXPECT_EQ(folder, path.substr(0, path.rfind(u'\\') + 1));
  EXPECT_EQ(folder + u"feed_win_tests.exe", path);
  EXPECT_EQ(WorkingFolder(), folder + u"GTFS_TEMP");
}

TEST(WorkingFolder, DeletionTakesTheWholeTreeIncludingReadOnlyAndHiddenFiles) {
  const UniqueWindow window = HiddenTestWindow();
  TestFolder test;
  const std::u16string folder = test / u"GTFS_TEMP";
  CreateDirectoryW(AsWide(folder), nullptr);
  CreateDirectoryW(AsWide(folder + u"\\feed"), nullptr);
  for (const auto* name : {u"\\stops.txt", u"\\read_only.txt", u"\\hidden.txt", u"\\feed\\a.txt"}) {
    WriteFileBytes(folder + name, "x");
  }
  SetFileAttributesW(AsWide(folder + u"\\read_only.txt"), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(AsWide(folder + u"\\hidden.txt"), FILE_ATTRIBUTE_HIDDEN);

  EXPECT_EQ(DeleteWorkingFolder(window.get(), u" " + folder + u"\r\n"), 0);
  EXPECT_FALSE(FileExists(folder));
  EXPECT_TRUE(FileExists(test.path()));
  EXPECT_NE(DeleteWorkingFolder(window.get(), folder), 0);  // nothing left to delete
}

TEST(WorkingFolder, ShortPathsAreRefusedUntouched) {
  TestFolder test;
  EXPECT_EQ(DeleteWorkingFolder(nullptr, u"C:\\GTFS_TMP"), -1);  // 11 characters
  EXPECT_EQ(DeleteWorkingFolder(nullptr, u"          \\"), -1);
  // 12 characters: the shell finds nothing.
  EXPECT_NE(DeleteWorkingFolder(nullptr, u"C:\\nosuch_12"), -1);
}

TEST(WorkingFolder, ListsPlainFilesInTheSortedListsOrder) {
  TestFolder test;
  for (const auto* name : {u"stops.txt", u"stop_times.txt", u"Routes.txt", u"agency.txt",
                           u"trips.txt", u"2.txt", u"hidden.txt", u"system.txt"}) {
    WriteFileBytes(test / name, "x");
  }
  SetFileAttributesW(AsWide(test / u"hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(AsWide(test / u"system.txt"), FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryW(AsWide(test / u"feed"), nullptr);
  WriteFileBytes(test / u"feed\\calendar.txt", "x");

  EXPECT_THAT(ListFeedFiles(test.path()),
              ElementsAre(u"2.txt", u"agency.txt", u"Routes.txt", u"stop_times.txt", u"stops.txt",
                          u"trips.txt"));
}

TEST(WorkingFolder, EmptyFolderListsNothingAndAMissingOneFails) {
  TestFolder test;
  EXPECT_TRUE(ListFeedFiles(test.path()).empty());
  EXPECT_EQ(ListingError(test / u"missing"), SystemErrorText(ERROR_PATH_NOT_FOUND));
}
