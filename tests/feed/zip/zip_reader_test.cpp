#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/base/error.h"
#include "app/base/utf.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/native_zip_file_system.h"
#include "tests/feed/zip/zip_writer.h"

namespace fs = std::filesystem;

namespace {

class RecordingFileSystem : public NativeZipFileSystem {
 public:
  void SetTimes(const std::u16string& path, const DosDateTime& local_time) override {
    times[path] = local_time;
    NativeZipFileSystem::SetTimes(path, local_time);
  }
  void SetAttributes(const std::u16string& path, std::uint32_t attributes) override {
    attributes_set[path] = attributes;
    NativeZipFileSystem::SetAttributes(path, attributes);
  }
  std::map<std::u16string, DosDateTime> times;
  std::map<std::u16string, std::uint32_t> attributes_set;
};

class ZipReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardCompressionHandlers();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ =
        fs::temp_directory_path() / ("zip-test-" + std::to_string(::getpid()) + "-" + test->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  std::u16string Folder() const { return Utf8ToUtf16((root_ / "out").string()); }
  std::u16string Target(const std::string& name) const {
    return Folder() + u"\\" + Utf8ToUtf16(name);
  }

  // The reader's message, or "" when the archive extracted.
  std::string Extract(const std::string& archive) {
    const fs::path path = root_ / "archive.zip";
    std::ofstream(path, std::ios::binary) << archive;
    try {
      TZipFile::ExtractZipFile(Utf8ToUtf16(path.string()), Folder(), files_);
    } catch (const Error& error) {
      return error.what();
    }
    return "";
  }

  bool Exists(const std::string& name) const { return fs::exists(root_ / "out" / name); }
  std::string Contents(const std::string& name) const {
    std::ifstream in(root_ / "out" / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path root_;
  RecordingFileSystem files_;
};

TEST_F(ZipReaderTest, ExtractsStoredDeflatedFoldersAndEmptyEntries) {
  const std::string big(300'000, 'x');  // more than one copy chunk
  const auto archive = BuildZip({
      {.name = "agency.txt", .data = "agency_id,agency_name\r\n1,A\r\n"},
      {.name = "sub/dir/stops.txt", .data = big + "end", .method = 8},
      {.name = "empty/", .data = ""},
      {.name = "nothing.txt", .data = "", .data_descriptor = true},
      {.name = "deflated_dd.txt", .data = "abc", .method = 8, .data_descriptor = true},
      {.name = "dosdir", .data = "", .external_attributes = 0x10},
      {.name = "dosdir/in.txt", .data = "in"},
      {.name = "unixfile", .data = "u", .made_by = 0x0314, .external_attributes = 0x10},
  });
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(Contents("agency.txt"), "agency_id,agency_name\r\n1,A\r\n");
  EXPECT_EQ(Contents("sub/dir/stops.txt"), big + "end");
  EXPECT_TRUE(fs::is_directory(root_ / "out" / "empty"));
  EXPECT_TRUE(fs::is_regular_file(root_ / "out" / "nothing.txt"));
  EXPECT_EQ(Contents("nothing.txt"), "");
  EXPECT_EQ(Contents("deflated_dd.txt"), "abc");
  EXPECT_EQ(Contents("dosdir/in.txt"), "in");  // a folder by its DOS attribute alone
  EXPECT_EQ(Contents("unixfile"), "u");
}

TEST_F(ZipReaderTest, ArchiveWithoutEntriesWritesNothingAndCommentsAreSkipped) {
  EXPECT_EQ(Extract(BuildZip({}, "a comment with PK")), "");
  EXPECT_FALSE(Exists(""));
  EXPECT_EQ(Extract(BuildZip({{.name = "a.txt", .data = "1"}}, std::string(3000, 'c'))), "");
  EXPECT_EQ(Contents("a.txt"), "1");
}

TEST_F(ZipReaderTest, LaterEntryOfTheSameNameWins) {
  EXPECT_EQ(Extract(BuildZip({{.name = "a.txt", .data = "first, longer"},
                              {.name = "a.txt", .data = "second", .method = 8}})),
            "");
  EXPECT_EQ(Contents("a.txt"), "second");
}

TEST_F(ZipReaderTest, NamesAreUtf8OnlyWhenEveryEntryHasBit11) {
  const std::string japanese = "\xE6\x99\x82\xE5\x88\xBB.txt";  // 時刻.txt
  EXPECT_EQ(Extract(BuildZip({{.name = japanese, .data = "1"}, {.name = "b.txt", .data = "2"}})),
            "");
  EXPECT_EQ(Contents(japanese), "1");

  fs::remove_all(root_ / "out");
  EXPECT_EQ(Extract(BuildZip({{.name = "\x81"
                                       "a.txt",
                               .data = "1"},
                              {.name = "b.txt", .data = "2", .flag = 0}})),
            "");
  EXPECT_EQ(Contents("\xC3\xBC"
                     "a.txt"),
            "1");  // 0x81 is ü in code page 437
}

TEST_F(ZipReaderTest, TimesComeFromTheLocalHeaderAndDosAttributesFromTheCentral) {
  const auto archive = BuildZip({
      {.name = "hidden.txt",
       .data = "h",
       .external_attributes = 0x2A,
       .dos_date_time = 0,
       .local_dos_date_time = 0x58A6'38E5},
      {.name = "unix.txt", .data = "u", .made_by = 0x0314, .external_attributes = 0x81A4'0002},
  });
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(files_.times[Target("hidden.txt")], (DosDateTime{2024, 5, 6, 7, 7, 10}));
  EXPECT_EQ(files_.attributes_set[Target("hidden.txt")], 0x22u);  // 0x08 cleared
  EXPECT_EQ(files_.attributes_set.count(Target("unix.txt")), 0u);
  EXPECT_EQ(files_.times.count(Target("unix.txt")), 1u);
}

TEST_F(ZipReaderTest, ConfinesRootedAndClimbingNames) {
  const auto archive = BuildZip({
      {.name = "../../escape.txt", .data = "1"},
      {.name = "/rooted/a.txt", .data = "2"},
      {.name = "C:\\drive.txt", .data = "3"},
      {.name = "sub/../../../up.txt", .data = "4"},
  });
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(Contents("escape.txt"), "1");
  EXPECT_EQ(Contents("rooted/a.txt"), "2");
  EXPECT_EQ(Contents("drive.txt"), "3");
  EXPECT_EQ(Contents("up.txt"), "4");
  EXPECT_FALSE(fs::exists(root_ / "escape.txt"));
}

TEST_F(ZipReaderTest, ExtractWithoutSubfoldersKeepsTheLastComponent) {
  const fs::path path = root_ / "archive.zip";
  std::ofstream(path, std::ios::binary) << BuildZip({{.name = "a/b/c.txt", .data = "1"}});
  TZipFile zip(files_);
  zip.Open(Utf8ToUtf16(path.string()), zmRead);
  EXPECT_EQ(zip.Mode(), zmRead);
  EXPECT_TRUE(zip.UTF8Support());
  zip.Extract(0, Folder(), false);
  zip.Close();
  EXPECT_EQ(zip.Mode(), zmClosed);
  EXPECT_EQ(Contents("c.txt"), "1");
}

struct FailureCase {
  const char* title;
  std::string archive;
  std::string message;
  std::vector<std::string> written;  // files on disk after the failure
};

std::string WithCentralNameLength(std::string archive, std::uint16_t length) {
  Patch(archive, FindSignature(archive, "PK\1\2") + 28, U16Bytes(length));
  return archive;
}

std::string WithSignatureBroken(std::string archive, const char* signature) {
  Patch(archive, FindSignature(archive, signature) + 3, "\x09");
  return archive;
}

std::vector<FailureCase> FailureCases() {
  const TestEntry good{.name = "good.txt", .data = "ok"};
  const std::string read_error = "zip ファイルを読み取る際にエラーが発生しました";
  const std::string stream_error = "ストリームからの読み取りエラー";
  // A signature 10 bytes before the end: a record cut short.
  const std::string cut_end = BuildZip({good}).substr(0, 12) + "PK\5\6" + std::string(6, '\0');
  return {
      {"empty file", "", stream_error, {}},
      {"no archive", "just text", read_error, {}},
      {"end record cut short", cut_end, read_error, {}},
      {"directory cut short", WithCentralNameLength(BuildZip({good}), 0xFFFF), read_error, {}},
      {"central signature",
       WithSignatureBroken(BuildZip({good}), "PK\1\2"),
       "Zip セントラル ヘッダーのシグネチャが無効です",
       {}},
      {"local signature",
       WithSignatureBroken(BuildZip({good}), "PK\3\4"),
       "Zip ローカル ヘッダーのシグネチャが無効です",
       {}},
      {"bzip2 after good entries",
       BuildZip({good, {.name = "b.txt", .data = "BZh", .method = 12}}),
       "項目が見つかりません",
       {"good.txt"}},
      {"lzma",
       BuildZip({good, {.name = "l.txt", .data = "x", .method = 14}}),
       "項目が見つかりません",
       {"good.txt"}},
      {"invalid UTF-8 with bit 11",
       BuildZip({good, {.name = "bad\xC3(.txt", .data = "x"}}),
       "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません",
       {"good.txt"}},
      {"character no path may hold",
       BuildZip({{.name = "a<b.txt", .data = "x"}}),
       "パスに無効な文字が含まれています",
       {}},
      {"control character",
       BuildZip({{.name = "a\tb.txt", .data = "x"}}),
       "パスに無効な文字が含まれています",
       {}},
      {"device name",
       BuildZip({good, {.name = "sub/con.txt", .data = "x"}}),
       "パスに無効な文字が含まれています",
       {"good.txt"}},
      {"alternate data stream",
       BuildZip({{.name = "a.txt:stream", .data = "x"}}),
       "パスに無効な文字が含まれています",
       {}},
      {"stored data ends early",
       BuildZip({good, {.name = "s.txt", .data = "abc", .uncompressed_size = 10'000}}),
       stream_error,
       {"good.txt", "s.txt"}},
      {"deflate stream ends early",
       BuildZip({good, {.name = "z.txt", .data = "abc", .method = 8, .uncompressed_size = 10}}),
       stream_error,
       {"good.txt", "z.txt"}},
      {"invalid date",
       BuildZip({{.name = "d.txt", .data = "d", .dos_date_time = 0x5800'0000}}),
       "日付に変換できない値が渡されました",
       {"d.txt"}},
      {"invalid time",
       BuildZip({{.name = "t.txt", .data = "t", .dos_date_time = 0x58A6'001E}}),
       "時刻に変換できない値が渡されました",
       {"t.txt"}},
  };
}

TEST_F(ZipReaderTest, FailuresCarryTheirMessageAndKeepEarlierFiles) {
  for (const auto& c : FailureCases()) {
    SCOPED_TRACE(c.title);
    fs::remove_all(root_ / "out");
    EXPECT_EQ(Extract(c.archive), c.message);
    for (const auto& name : c.written) EXPECT_TRUE(Exists(name)) << name;
    if (c.written.empty()) {
      EXPECT_FALSE(Exists("")) << "nothing may be written";
    }
  }
}

TEST_F(ZipReaderTest, CorruptDeflateIsNotAcceptedAsWrittenGarbage) {
  auto archive = BuildZip({{.name = "c.txt", .data = std::string(1000, 'a'), .method = 8}});
  Patch(archive, 30 + 5, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(Extract(archive), "data error");
}

TEST_F(ZipReaderTest, CrcMismatchFailsAfterTheFileIsWritten) {
  EXPECT_EQ(Extract(BuildZip({{.name = "c.txt", .data = "data", .crc = 0x1234}})),
            Utf16ToUtf8(u"ファイル \"" + Target("c.txt") + u"\" の CRC32 が一致しません"));
  EXPECT_EQ(Contents("c.txt"), "data");
}

TEST_F(ZipReaderTest, FileSystemFailuresNameThePath) {
  const auto missing = Utf8ToUtf16((root_ / "missing.zip").string());
  try {
    TZipFile::ExtractZipFile(missing, Folder(), files_);
    FAIL();
  } catch (const Error& error) {
    EXPECT_EQ(error.text(), u"ファイル " + missing + u" は開けません。 No such file or directory ");
  }
  fs::create_directories(root_ / "out" / "taken.txt");
  EXPECT_EQ(
      Extract(BuildZip({{.name = "taken.txt", .data = "x"}})),
      Utf16ToUtf8(u"ファイル \"" + Target("taken.txt") + u"\" を作成できません。Is a directory"));
}

TEST_F(ZipReaderTest, PathsOf260CharactersFailWhenTheirTimesAreSet) {
  const auto room = static_cast<std::size_t>(259 - Folder().size() - 1);
  const std::string fits(room, 'a'), too_long(room + 1, 'b');
  EXPECT_EQ(Extract(BuildZip({{.name = fits, .data = "1"}, {.name = too_long, .data = "2"}})),
            "指定されたパスが長すぎます");
  EXPECT_EQ(Contents(fits), "1");
  EXPECT_EQ(Contents(too_long), "2");
}

TEST(CompressionTable, UnregisteredMethodsHaveNoRow) {
  RegisterStandardCompressionHandlers();
  RegisterStandardCompressionHandlers();
  EXPECT_NE(FindCompressionHandler(0), nullptr);
  EXPECT_NE(FindCompressionHandler(8), nullptr);
  EXPECT_EQ(FindCompressionHandler(12), nullptr);
}

}  // namespace
