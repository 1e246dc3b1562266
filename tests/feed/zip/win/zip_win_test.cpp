#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/unique_handle.h"
#include "base/win/wide.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/win/windows_zip_file_system.h"
#include "tests/feed/zip/zip_writer.h"

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ZipWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardCompressionHandlers();
    root_ = fs::temp_directory_path() /
            (L"zip-win-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             fs::path(::testing::UnitTest::GetInstance()->current_test_info()->name()).wstring());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& file : fs::recursive_directory_iterator(root_, ignored)) {
      SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(root_, ignored);
  }

  std::u16string ArchivePath() const { return FromWide((root_ / L"feed.zip").c_str()); }
  std::u16string Folder() const { return FromWide((root_ / L"GTFS_TEMP").c_str()); }
  std::u16string Target(std::u16string_view name) const {
    return Folder() + u"\\" + std::u16string(name);
  }

  // The reader's message, or "" when the archive extracted.
  std::u16string Extract(const std::string& archive) {
    std::ofstream(root_ / L"feed.zip", std::ios::binary) << archive;
    return ExtractWritten();
  }
  std::u16string ExtractWritten() const {
    try {
      WindowsZipFileSystem files;
      TZipFile::ExtractZipFile(ArchivePath(), Folder(), files);
    } catch (const Error& error) {
      return error.text();
    }
    return u"";
  }

  fs::path root_;
};

TEST_F(ZipWindowsTest, WritesDosAttributesAndLocalTimes) {
  EXPECT_EQ(Extract(BuildZip({
                {.name = "hidden.txt", .data = "h", .external_attributes = 0x2B},
                {.name = "unix.txt", .data = "u", .made_by = 0x0314, .external_attributes = 0x02},
                {.name = "\xE9\xA7\x85.txt", .data = "j"},  // 駅.txt
            })),
            u"");
  // Wine keeps read-only and hidden but drops the system bit.
  const DWORD hidden = GetFileAttributesW(AsWide(Target(u"hidden.txt")));
  EXPECT_EQ(hidden & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
  EXPECT_EQ(GetFileAttributesW(AsWide(Target(u"unix.txt"))) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_NE(GetFileAttributesW(AsWide(Target(u"駅.txt"))), INVALID_FILE_ATTRIBUTES);

  UniqueFile file(CreateFileW(AsWide(Target(u"unix.txt")), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  FILETIME created{}, written{};
  ASSERT_TRUE(GetFileTime(file.get(), &created, nullptr, &written));
  for (const FILETIME& stamp : {created, written}) {
    SYSTEMTIME utc{}, local{};
    FileTimeToSystemTime(&stamp, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    EXPECT_EQ(local.wYear, 2024);
    EXPECT_EQ(local.wMonth, 5);
    EXPECT_EQ(local.wDay, 6);
    EXPECT_EQ(local.wHour, 7);
    EXPECT_EQ(local.wMinute, 7);
    EXPECT_EQ(local.wSecond, 10);
  }
}

bool OpenableExclusively(const std::u16string& path) {
  return static_cast<bool>(
      UniqueFile(CreateFileW(AsWide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
}

TEST_F(ZipWindowsTest, TheArchiveIsHeldExclusivelyAndClosedOnEveryPath) {
  const auto open_failure = [&](DWORD code) {
    return u"ファイル " + ArchivePath() + u" は開けません。 " + SystemErrorText(code) + u" ";
  };
  EXPECT_EQ(ExtractWritten(), open_failure(ERROR_FILE_NOT_FOUND));

  std::ofstream(root_ / L"feed.zip", std::ios::binary)
      << BuildZip({{.name = "a.txt", .data = "a"}});
  {
    UniqueFile other(CreateFileW(AsWide(ArchivePath()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(ExtractWritten(), open_failure(ERROR_SHARING_VIOLATION));
  }
  WindowsZipFileSystem files;
  TZipFile zip(files);
  zip.Open(ArchivePath(), zmRead);
  EXPECT_FALSE(OpenableExclusively(ArchivePath()));
  zip.Close();
  EXPECT_TRUE(OpenableExclusively(ArchivePath()));

  EXPECT_EQ(
      Extract(BuildZip({{.name = "a.txt", .data = "a"}, {.name = "b", .data = "b", .method = 12}})),
      u"項目が見つかりません");
  EXPECT_TRUE(OpenableExclusively(ArchivePath()));
}

// Larger than the reader's buffer: the later entry is read from where the file is moved to.
TEST_F(ZipWindowsTest, EntriesBeyondTheFirstReadComeFromTheirOwnOffsets) {
  std::string big(300 * 1024, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 23);
  EXPECT_EQ(
      Extract(BuildZip({{.name = "big.txt", .data = big}, {.name = "small.txt", .data = "s"}})),
      u"");
  const auto contents = [&](std::u16string_view name) {
    std::ifstream in(fs::path(AsWide(Target(name))), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(contents(u"big.txt"), big);
  EXPECT_EQ(contents(u"small.txt"), "s");
}

TEST_F(ZipWindowsTest, ATargetThatCannotBeCreatedNamesPathAndReason) {
  fs::create_directories(root_ / L"GTFS_TEMP" / L"taken.txt");
  EXPECT_EQ(Extract(BuildZip({{.name = "taken.txt", .data = "x"}})),
            u"ファイル \"" + Target(u"taken.txt") + u"\" を作成できません。" +
                SystemErrorText(ERROR_ACCESS_DENIED));
}

// A hundred folder entries named a/a/…/ (65,534 bytes): only the levels below 248 characters are
// made, which Wine would otherwise take thousands deep at a millisecond each. A file below them
// fails as the system fails to create it.
TEST_F(ZipWindowsTest, DeepFolderEntriesStopAtTheOrdinaryPathLimit) {
  std::string deep;
  while (deep.size() < 65534) deep += "a/";
  std::vector<TestEntry> entries(100, {.name = deep, .data = "", .local_name = ""});
  const auto deep_file = deep.substr(0, 65530) + "f.txt";
  entries.push_back({.name = deep_file, .data = "x", .local_name = ""});
  std::u16string file(deep_file.begin(), deep_file.end());
  std::replace(file.begin(), file.end(), u'/', u'\\');
  file = Target(file);
  const UniqueFile created(
      CreateFileW(AsWide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const auto refusal = SystemErrorText(GetLastError());
  ASSERT_FALSE(created);
  std::ofstream(root_ / L"feed.zip", std::ios::binary) << BuildZip(entries);

  const ULONGLONG start = GetTickCount64();
  const auto message = ExtractWritten();
  const ULONGLONG elapsed = GetTickCount64() - start;
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("100 deep folder entries: %llu ms, peak working set %zu KiB\n", elapsed,
              memory.PeakWorkingSetSize / 1024);

  EXPECT_EQ(message, u"ファイル \"" + file + u"\" を作成できません。" + refusal);
  EXPECT_LT(elapsed, 10'000u);  // walking every level took minutes
  std::u16string deepest = Folder();
  while (IsFolder(deepest + u"\\a")) deepest += u"\\a";
  EXPECT_LT(deepest.size(), 248u);
  EXPECT_GE(deepest.size() + 2, 248u);
}

}  // namespace
