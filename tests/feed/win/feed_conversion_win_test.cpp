#include "feed/win/feed_conversion.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"
#include "tests/feed/win/committed_memory.h"
#include "tests/feed/win/win_test_folder.h"

namespace {
std::u16string ErrorOf(const std::u16string& folder, const std::u16string& name) {
  try {
    ConvertFeedFile(folder, FeedFileNamesOf(name));
  } catch (const Error& e) {
    return e.text();
  }
  return u"(no error)";
}
}  // namespace

TEST(FeedConversion, FeedFileMakesWayForItsCopy) {
  TestFolder test;
  WriteFileBytes(test / u"stops.txt", "id,name\n1,\"a,b\"\n");
  EXPECT_EQ(ConvertFeedFile(test.path(), FeedFileNamesOf(u"stops.txt")),
            u"id\tname\r\n1\t\"a\tb\"\r\n");
  EXPECT_EQ(ReadFileBytes(test / u"stops.csv"), "\xEF\xBB\xBFid,name\r\n1,\"a,b\"\r\n");
  EXPECT_FALSE(FileExists(test / u"stops.txt"));
}

TEST(FeedConversion, TabTextCommitsLittleMoreMemoryThanItsUnits) {
  // Committed memory is what a large entry runs out of, touched or not. 11 bytes a line, 6 units.
  TestFolder test;
  std::string bytes;
  for (int i = 0; i < 1 << 20; ++i) bytes += "\xE6\x9D\xB1\xE4\xBA\xAC,\xE9\xA7\x85\n";
  WriteFileBytes(test / u"stops.txt", bytes);
  const std::uint64_t before = CommittedPrivateBytes();
  const std::u16string tab_text = ConvertFeedFile(test.path(), FeedFileNamesOf(u"stops.txt"));
  const std::uint64_t taken = CommittedPrivateBytes() - before;
  EXPECT_EQ(tab_text.size(), 6u << 20);
  EXPECT_GE(taken, 12u << 20);
  EXPECT_LE(taken, 16u << 20);
}

TEST(FeedConversion, FileThatIsItsOwnCopyIsKept) {
  for (const std::u16string name : {u"stops.csv", u"Stops.CSV"}) {
    TestFolder test;
    WriteFileBytes(test / name, "\xEF\xBB\xBFid\n");
    EXPECT_EQ(ConvertFeedFile(test.path(), FeedFileNamesOf(name)), u"id\r\n");
    EXPECT_EQ(ReadFileBytes(test / u"stops.csv"), "\xEF\xBB\xBFid\r\n");
  }
}

TEST(FeedConversion, LaterFileOfTheSameBaseOwnsTheCopy) {
  TestFolder test;
  WriteFileBytes(test / u"stops.bak", "old\n");
  WriteFileBytes(test / u"stops.txt", "new\n");
  ConvertFeedFile(test.path(), FeedFileNamesOf(u"stops.bak"));
  ConvertFeedFile(test.path(), FeedFileNamesOf(u"stops.txt"));
  EXPECT_EQ(ReadFileBytes(test / u"stops.csv"), "\xEF\xBB\xBFnew\r\n");
  EXPECT_FALSE(FileExists(test / u"stops.bak"));
  EXPECT_FALSE(FileExists(test / u"stops.txt"));
}

TEST(FeedConversion, FailuresLeaveTheFeedFileAndTellWhy) {
  TestFolder test;
  EXPECT_EQ(ErrorOf(test.path(), u"missing.txt"), u"ファイル " + test / u"missing.txt" +
                                                      u" は開けません。 " +
                                                      SystemErrorText(ERROR_FILE_NOT_FOUND) + u" ");

  WriteFileBytes(test / u"sjis.txt", "\x93\xFA\x96\x7B\n");
  EXPECT_EQ(ErrorOf(test.path(), u"sjis.txt"),
            u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
  EXPECT_TRUE(FileExists(test / u"sjis.txt"));
  EXPECT_FALSE(FileExists(test / u"sjis.csv"));

  WriteFileBytes(test / u"trips.txt", "a\n");
  CreateDirectoryW(AsWide(test / u"trips.csv"), nullptr);  // the copy cannot be created
  EXPECT_EQ(ErrorOf(test.path(), u"trips.txt"), u"ファイル \"" + test / u"trips.csv" +
                                                    u"\" を作成できません。" +
                                                    SystemErrorText(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(FileExists(test / u"trips.txt"));
}

TEST(FeedConversion, FileHeldByAWriterCannotBeOpened) {
  TestFolder test;
  WriteFileBytes(test / u"agency.txt", "a\n");
  HANDLE writer = CreateFileW(AsWide(test / u"agency.txt"), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf(test.path(), u"agency.txt"),
            u"ファイル " + test / u"agency.txt" + u" は開けません。 " +
                SystemErrorText(ERROR_SHARING_VIOLATION) + u" ");
  CloseHandle(writer);
  EXPECT_TRUE(FileExists(test / u"agency.txt"));
}
