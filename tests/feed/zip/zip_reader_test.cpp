#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/error.h"
#include "base/utf.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/posix/posix_zip_file_system.h"
#include "tests/feed/zip/zip_writer.h"

namespace fs = std::filesystem;

namespace {

class RecordingFileSystem : public PosixZipFileSystem {
 public:
  void SetTimes(const std::u16string& path, const DosDateTime& local_time) override {
    times[path] = local_time;
    PosixZipFileSystem::SetTimes(path, local_time);
  }
  void SetAttributes(const std::u16string& path, std::uint32_t attributes) override {
    attributes_set[path] = attributes;
    PosixZipFileSystem::SetAttributes(path, attributes);
  }
  bool CreateFolder(const std::u16string& path) override {
    ++folders_asked;
    longest_folder = std::max(longest_folder, path.size());
    return PosixZipFileSystem::CreateFolder(path);
  }
  std::optional<std::uint64_t> FreeSpace(const std::u16string& folder) override {
    return free_space ? free_space : PosixZipFileSystem::FreeSpace(folder);
  }
  std::map<std::u16string, DosDateTime> times;
  std::map<std::u16string, std::uint32_t> attributes_set;
  std::size_t folders_asked = 0;
  std::size_t longest_folder = 0;
  std::optional<std::uint64_t> free_space;  // the volume's own figure when not set
};

class ZipReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardCompressionHandlers();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ =
        fs::temp_directory_path() / ("zip-test-" + std::to_string(::getpid()) + "-" + test->name());
    fs::remove_all(root_);
    fs::create_directories(Out().parent_path());
  }
  void TearDown() override { fs::remove_all(root_); }

  // Deep enough that a name climbing out of it still lands below root_, where it is seen.
  fs::path Out() const { return root_ / "a" / "b" / "c" / "out"; }
  std::u16string Folder() const { return Utf8ToUtf16(Out().string()); }
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

  // Every file below root_ but the archive, relative to the output folder, in name order.
  std::vector<std::string> Written() const {
    std::vector<std::string> files;
    for (const auto& file : fs::recursive_directory_iterator(root_)) {
      if (file.is_regular_file() && file.path() != root_ / "archive.zip") {
        files.push_back(file.path().lexically_relative(Out()).generic_string());
      }
    }
    std::sort(files.begin(), files.end());
    return files;
  }
  std::string Contents(const std::string& name) const {
    std::ifstream in(Out() / name, std::ios::binary);
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
  EXPECT_EQ(Written(), (std::vector<std::string>{"agency.txt", "deflated_dd.txt", "dosdir/in.txt",
                                                 "nothing.txt", "sub/dir/stops.txt", "unixfile"}));
  EXPECT_EQ(Contents("agency.txt"), "agency_id,agency_name\r\n1,A\r\n");
  EXPECT_TRUE(Contents("sub/dir/stops.txt") == big + "end");  // not 300 kB in a failure
  EXPECT_TRUE(fs::is_directory(Out() / "empty"));
  EXPECT_EQ(Contents("nothing.txt"), "");
  EXPECT_EQ(Contents("deflated_dd.txt"), "abc");
  EXPECT_EQ(Contents("dosdir/in.txt"), "in");  // a folder by its DOS attribute alone
  EXPECT_EQ(Contents("unixfile"), "u");
}

// The MS-DOS folder bit makes a folder only of an entry without data; one with data is a file like
// any other, checked by its CRC, and the bit does not go onto it.
TEST_F(ZipReaderTest, DosFolderBitMakesAFolderOnlyOfAnEmptyEntry) {
  const std::string stops = "stop_id,stop_name\r\nS1,A\n";
  EXPECT_EQ(Extract(BuildZip({
                {.name = "stops.txt", .data = stops, .external_attributes = 0x31},
                {.name = "one.txt", .data = "1", .method = 8, .external_attributes = 0x30},
                {.name = "empty", .data = "", .external_attributes = 0x10},
                {.name = "sized_empty",
                 .data = "x",
                 .external_attributes = 0x10,
                 .crc = 0,
                 .uncompressed_size = 0},
            })),
            "");
  EXPECT_EQ(Written(), (std::vector<std::string>{"one.txt", "stops.txt"}));
  EXPECT_EQ(Contents("stops.txt"), stops);
  EXPECT_EQ(Contents("one.txt"), "1");
  EXPECT_TRUE(fs::is_directory(Out() / "empty"));
  EXPECT_TRUE(fs::is_directory(Out() / "sized_empty"));
  EXPECT_EQ(files_.attributes_set, (std::map<std::u16string, std::uint32_t>{
                                       {Target("one.txt"), 0x20}, {Target("stops.txt"), 0x21}}));

  fs::remove_all(Out());
  EXPECT_EQ(Extract(BuildZip(
                {{.name = "stops.txt", .data = stops, .external_attributes = 0x10, .crc = 1}})),
            Utf16ToUtf8(u"ファイル \"" + Target("stops.txt") + u"\" の CRC32 が一致しません"));
  EXPECT_EQ(Contents("stops.txt"), stops);
}

// Names come from the central directory; the data starts behind the local header's own name and
// extra field, whatever their lengths. A second entry behind each shows that the central
// directory was walked by the right lengths too.
TEST_F(ZipReaderTest, LocalAndCentralNamesAndExtraFieldsOfTheirOwnLengths) {
  const std::string data = "stop_id,stop_name\r\nS1,Kita\r\n";
  const struct {
    const char* title;
    TestEntry entry;
  } cases[] = {
      {"local extra only", {.local_extra = std::string(5, 'L')}},
      {"local extra only, deflated",
       {.method = 8, .local_extra = std::string("\x01\0\x04\0", 4) + "abcd"}},
      {"central extra only", {.central_extra = std::string(9, 'C')}},
      {"local extra shorter", {.local_extra = "LLL", .central_extra = std::string(17, 'C')}},
      {"local extra longer",
       {.method = 8, .local_extra = std::string(40, 'L'), .central_extra = "CC"}},
      {"entry comment", {.central_extra = "CCCC", .comment = "a comment!!"}},
      {"local name longer", {.local_name = "a-much-longer-local-name.txt"}},
      {"local name shorter", {.local_name = "l"}},
      {"local name of the same length", {.local_name = "AAAAAAAAA"}},
      {"everything differs",
       {.method = 8,
        .local_name = "x/y/z/other.txt",
        .local_extra = std::string(23, 'L'),
        .central_extra = std::string(6, 'C'),
        .comment = "c"}},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.title);
    fs::remove_all(Out());
    c.entry.name = "stops.txt";
    c.entry.data = data;
    EXPECT_EQ(Extract(BuildZip({c.entry, {.name = "next.txt", .data = "n", .comment = "z"}})), "");
    EXPECT_EQ(Written(), (std::vector<std::string>{"next.txt", "stops.txt"}));
    EXPECT_EQ(Contents("stops.txt"), data);
    EXPECT_EQ(Contents("next.txt"), "n");
  }
}

// "Later" is central-directory order, here the reverse of the order of the data.
TEST_F(ZipReaderTest, LaterEntryOfTheSameNameWins) {
  auto archive = BuildZip({{.name = "a.txt", .data = "first, longer"},
                           {.name = "a.txt", .data = "second", .method = 8}});
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(Contents("a.txt"), "second");

  const auto first = FindSignature(archive, "PK\1\2"), second = FindSignature(archive, "PK\1\2", 1);
  const auto end = FindSignature(archive, "PK\5\6");
  archive = archive.substr(0, first) + archive.substr(second, end - second) +
            archive.substr(first, second - first) + archive.substr(end);
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(Contents("a.txt"), "first, longer");
}

// The data copied is the central UncompressedSize, not the compressed size or the local sizes;
// the method is the low byte of the central one.
TEST_F(ZipReaderTest, CopiesTheCentralSizeByTheCentralMethod) {
  const std::string text = "0123456789";
  auto archive = BuildZip({
      {.name = "prefix.txt", .data = text, .crc = Crc32("0123"), .uncompressed_size = 4},
      {.name = "zero.txt", .data = text, .crc = 0, .uncompressed_size = 0},
      {.name = "high.txt", .data = text, .method = 8},
      {.name = "local.txt", .data = text, .method = 8},
  });
  Patch(archive, FindSignature(archive, "PK\1\2", 2) + 10, U16Bytes(0x0108));
  const auto local = FindSignature(archive, "PK\3\4", 3);
  Patch(archive, local + 8, U16Bytes(12));                              // method
  Patch(archive, local + 14, U32Bytes(0) + U32Bytes(1) + U32Bytes(2));  // CRC and sizes
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(Contents("prefix.txt"), "0123");
  EXPECT_EQ(Contents("zero.txt"), "");
  EXPECT_EQ(Contents("high.txt"), text);
  EXPECT_EQ(Contents("local.txt"), text);
}

TEST_F(ZipReaderTest, NamesAreUtf8OnlyWhenEveryEntryHasBit11) {
  const std::string japanese = "\xE6\x99\x82\xE5\x88\xBB.txt";  // 時刻.txt
  EXPECT_EQ(Extract(BuildZip({{.name = japanese, .data = "1"}, {.name = "b.txt", .data = "2"}})),
            "");
  EXPECT_EQ(Contents(japanese), "1");

  fs::remove_all(Out());
  EXPECT_EQ(Extract(BuildZip({{.name = "\x81"
                                       "a.txt",
                               .data = "1"},
                              {.name = "b.txt", .data = "2", .flag = 0xF7FF}})),
            "");
  EXPECT_EQ(Written(), (std::vector<std::string>{"b.txt",
                                                 "\xC3\xBC"
                                                 "a.txt"}));  // 0x81 is ü
}

TEST_F(ZipReaderTest, TimesComeFromTheLocalHeaderAndDosAttributesFromTheCentral) {
  const auto archive = BuildZip({
      {.name = "hidden.txt",
       .data = "h",
       .external_attributes = 0x2A,
       .dos_date_time = 0,
       .local_dos_date_time = 0x58A6'38E5},
      {.name = "unix.txt", .data = "u", .made_by = 0x0314, .external_attributes = 0x81A4'0002},
      {.name = "dos_high.txt", .data = "d", .made_by = 0x00FF, .external_attributes = 0xFFFF'FF2F},
      {.name = "amiga.txt", .data = "a", .made_by = 0x0100, .external_attributes = 0x01},
  });
  EXPECT_EQ(Extract(archive), "");
  EXPECT_EQ(files_.times[Target("hidden.txt")], (DosDateTime{2024, 5, 6, 7, 7, 10}));
  EXPECT_EQ(files_.attributes_set,
            (std::map<std::u16string, std::uint32_t>{{Target("dos_high.txt"), 0x27},
                                                     {Target("hidden.txt"), 0x22}}));
  EXPECT_EQ(files_.times.count(Target("unix.txt")), 1u);
  EXPECT_EQ(files_.times.size(), 4u);
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
  EXPECT_EQ(Written(), std::vector<std::string>{"c.txt"});
}

struct ArchiveCase {
  const char* title;
  std::string archive;
  std::string message;               // "" when the archive extracts
  std::vector<std::string> written;  // every file on disk afterwards, in name order
};

std::string WithCentralNameLength(std::string archive, std::uint16_t length) {
  Patch(archive, FindSignature(archive, "PK\1\2") + 28, U16Bytes(length));
  return archive;
}

std::string WithSignatureBroken(std::string archive, const char* signature) {
  Patch(archive, FindSignature(archive, signature) + 3, "\x09");
  return archive;
}

std::string WithEndRecordField(std::string archive, std::size_t offset, const std::string& bytes) {
  Patch(archive, FindSignature(archive, "PK\5\6") + offset, bytes);
  return archive;
}

std::string Patched(std::string archive, std::size_t offset, const std::string& bytes) {
  Patch(archive, offset, bytes);
  return archive;
}

std::string WithoutLastBytes(std::string archive, std::size_t count) {
  archive.resize(archive.size() - count);
  return archive;
}

// The central directory moved behind the end record, so that the file ends where it ends.
std::string DirectoryAtTheEnd(const TestEntry& entry) {
  const auto archive = BuildZip({entry});
  const auto directory = FindSignature(archive, "PK\1\2"), end = FindSignature(archive, "PK\5\6");
  auto record = archive.substr(end);
  Patch(record, 16, U32Bytes(static_cast<std::uint32_t>(directory + record.size())));
  return archive.substr(0, directory) + record + archive.substr(directory, end - directory);
}

// The one local header moved behind the end record, so that the file ends where it ends.
std::string LocalHeaderAtTheEnd(const TestEntry& entry) {
  const auto archive = BuildZip({entry});
  const auto directory = FindSignature(archive, "PK\1\2"), end = FindSignature(archive, "PK\5\6");
  auto central = archive.substr(directory, end - directory);
  auto record = archive.substr(end);
  Patch(central, 42, U32Bytes(static_cast<std::uint32_t>(central.size() + record.size())));
  Patch(record, 16, U32Bytes(0));
  return central + record + archive.substr(0, directory);
}

std::vector<ArchiveCase> ArchiveCases() {
  const TestEntry good{.name = "good.txt", .data = "ok"};
  const TestEntry second{.name = "second.txt", .data = "2", .method = 8};
  const std::vector<std::string> both = {"good.txt", "second.txt"};
  const std::string read_error = "zip ファイルを読み取る際にエラーが発生しました";
  const std::string stream_error = "ストリームからの読み取りエラー";
  const std::string central_error = "Zip セントラル ヘッダーのシグネチャが無効です";
  const std::string local_error = "Zip ローカル ヘッダーのシグネチャが無効です";
  const auto two = BuildZip({good, second});
  // An end record in the comment that holds only the first entry.
  const auto directory = static_cast<std::uint32_t>(FindSignature(two, "PK\1\2"));
  const std::string inner_record = "PK\5\6" + U16Bytes(0) + U16Bytes(0) + U16Bytes(1) +
                                   U16Bytes(1) + U32Bytes(0) + U32Bytes(directory) + U16Bytes(0);
  const TestEntry full{.name = "full.txt", .data = "f", .central_extra = "XY", .comment = "note"};
  const TestEntry extra{.name = "extra.txt", .data = "e", .central_extra = "XYZ"};
  const TestEntry named{.name = "named.txt", .data = "n"};
  const TestEntry unnamed{.name = "", .data = ""};
  const TestEntry local{.name = "l.txt", .data = "", .local_extra = "LX"};
  const TestEntry local_named{.name = "l.txt", .data = ""};
  const TestEntry local_unnamed{.name = "l.txt", .data = "", .local_name = ""};
  auto central_method_12 = BuildZip({good, second});
  Patch(central_method_12, FindSignature(central_method_12, "PK\1\2", 1) + 10, U16Bytes(12));
  return {
      {"empty file", "", stream_error, {}},
      {"no entries, a comment holding PK", BuildZip({}, "a comment with PK"), "", {}},
      {"no archive", "just text", read_error, {}},
      {"end record 22 bytes before the end", BuildZip({good}), "", {"good.txt"}},
      {"end record one byte short", WithoutLastBytes(BuildZip({good}), 1), read_error, {}},
      {"64 kB comment", BuildZip({good}, std::string(64'000, 'c')), "", {"good.txt"}},
      {"longest comment: signature 65557 bytes before the end",
       BuildZip({good}, std::string(65535, 'c')),
       "",
       {"good.txt"}},
      {"signature 65558 bytes before the end",
       BuildZip({good}, std::string(65535, 'c')) + "j",
       read_error,
       {}},
      {"junk behind the end record", BuildZip({good}) + "junk", "", {"good.txt"}},
      {"the record nearest the end wins", BuildZip({good, second}, inner_record), "", {"good.txt"}},
      {"entries on this disk not used", WithEndRecordField(two, 8, U16Bytes(0)), "", both},
      {"total entry count used", WithEndRecordField(two, 10, U16Bytes(1)), "", {"good.txt"}},
      {"directory size not used", WithEndRecordField(two, 12, U32Bytes(0xFFFF'FFFF)), "", both},
      {"junk in front moves the directory", "JUNK" + BuildZip({good}), central_error, {}},
      {"directory cut short", WithCentralNameLength(BuildZip({good}), 0xFFFF), read_error, {}},
      {"central header to its comment", DirectoryAtTheEnd(full), "", {"full.txt"}},
      {"central header one byte short of its comment",
       WithoutLastBytes(DirectoryAtTheEnd(full), 1),
       read_error,
       {}},
      {"central header to its extra field", DirectoryAtTheEnd(extra), "", {"extra.txt"}},
      {"central header one byte short of its extra field",
       WithoutLastBytes(DirectoryAtTheEnd(extra), 1),
       read_error,
       {}},
      {"central header to its name", DirectoryAtTheEnd(named), "", {"named.txt"}},
      {"central header one byte short of its name",
       WithoutLastBytes(DirectoryAtTheEnd(named), 1),
       read_error,
       {}},
      {"central header of fixed fields only", DirectoryAtTheEnd(unnamed), "", {}},
      {"central header one byte short of its fixed fields",
       WithoutLastBytes(DirectoryAtTheEnd(unnamed), 1),
       read_error,
       {}},
      {"central signature", WithSignatureBroken(BuildZip({good}), "PK\1\2"), central_error, {}},
      {"local header to its extra field", LocalHeaderAtTheEnd(local), "", {"l.txt"}},
      {"local header one byte short of its extra field",
       WithoutLastBytes(LocalHeaderAtTheEnd(local), 1),
       stream_error,
       {}},
      {"local header to its name", LocalHeaderAtTheEnd(local_named), "", {"l.txt"}},
      {"local header one byte short of its name",
       WithoutLastBytes(LocalHeaderAtTheEnd(local_named), 1),
       stream_error,
       {}},
      {"local header of fixed fields only", LocalHeaderAtTheEnd(local_unnamed), "", {"l.txt"}},
      {"local header one byte short of its fixed fields",
       WithoutLastBytes(LocalHeaderAtTheEnd(local_unnamed), 1),
       stream_error,
       {}},
      {"local signature cut short",
       WithoutLastBytes(LocalHeaderAtTheEnd(local_unnamed), 27),
       local_error,
       {}},
      {"local signature", WithSignatureBroken(BuildZip({good}), "PK\3\4"), local_error, {}},
      {"bzip2 after good entries",
       BuildZip({good, {.name = "b.txt", .data = "BZh", .method = 12}}),
       "項目が見つかりません",
       {"good.txt"}},
      {"lzma",
       BuildZip({good, {.name = "l.txt", .data = "x", .method = 14}}),
       "項目が見つかりません",
       {"good.txt"}},
      {"central method 12, local method 8",
       central_method_12,
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
      {"device name",
       BuildZip({good, {.name = "sub/con.txt", .data = "x"}}),
       "パスに無効な文字が含まれています",
       {"good.txt"}},
      {"stored data ends early",
       BuildZip({good, {.name = "s.txt", .data = "abc", .uncompressed_size = 10'000}}),
       stream_error,
       {"good.txt", "s.txt"}},
      {"deflate stream ends early",
       BuildZip({good, {.name = "z.txt", .data = "abc", .method = 8, .uncompressed_size = 10}}),
       stream_error,
       {"good.txt", "z.txt"}},
      {"corrupt deflate data",
       Patched(BuildZip({{.name = "c.txt", .data = std::string(1000, 'a'), .method = 8}}), 30 + 5,
               "\xFF\xFF\xFF\xFF"),
       "data error",
       {"c.txt"}},
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

TEST_F(ZipReaderTest, EachArchiveGivesItsMessageAndLeavesItsFiles) {
  for (const auto& c : ArchiveCases()) {
    SCOPED_TRACE(c.title);
    fs::remove_all(Out());
    EXPECT_EQ(Extract(c.archive), c.message);
    EXPECT_EQ(Written(), c.written);
  }
}

// An entry's local header and data as they stand in an archive of that entry alone.
std::string LocalRecord(const TestEntry& entry) {
  const auto archive = BuildZip({entry});
  return archive.substr(0, FindSignature(archive, "PK\1\2"));
}

// Entries sharing bytes would write them again and again: a small archive could fill the disk.
// Overlaps that the sizes show are refused before anything is written; data read on into a later
// entry's local header stops there.
TEST_F(ZipReaderTest, EntriesSharingBytesAreRefused) {
  const std::string read_error = "zip ファイルを読み取る際にエラーが発生しました";
  const std::string stream_error = "ストリームからの読み取りエラー";
  std::vector<TestEntry> five = {{.name = "d0/stops.txt", .data = "S1,A\n"}};
  for (const char* name : {"d1/stops.txt", "d2/stops.txt", "d3/stops.txt", "d4/stops.txt"}) {
    five.push_back({.name = name, .data = "S1,A\n", .local_header_offset = 0});
  }
  const TestEntry b{.name = "b.txt", .data = "bee"};
  const TestEntry a_holding_b{.name = "a.txt", .data = "pad" + LocalRecord(b)};
  const TestEntry extra_holding_b{.name = "a.txt", .data = "", .local_extra = LocalRecord(b)};
  auto b_at = [&b](std::uint32_t offset) {
    auto entry = b;
    entry.local_header_offset = offset;
    return entry;
  };
  // Local headers have 30 bytes of fixed fields; "a.txt" adds 5.
  const auto adjacent = BuildZip({{.name = "a.txt", .data = "pad"}, b});
  auto one_byte_into_next = adjacent;
  Patch(one_byte_into_next, FindSignature(adjacent, "PK\1\2") + 20, U32Bytes(4));
  // Stored data whose UncompressedSize takes the first byte of the next local header too.
  const auto stored_on =
      BuildZip({{.name = "a.txt", .data = "pad", .crc = Crc32("padP"), .uncompressed_size = 4}, b});
  // Deflate data that quotes the next local header in a stored block and goes on into the next
  // entry's data, declaring only that block: the shape of an archive whose entries all end in
  // one shared stream.
  const TestEntry deflated_b{.name = "b.txt", .data = "bee", .method = 8};
  const auto quoted = LocalRecord(deflated_b).substr(0, 30 + 5);
  auto deflated_on = BuildZip(
      {{.name = "a.txt",
        .data = std::string(1, '\0') + U16Bytes(35) + U16Bytes(static_cast<std::uint16_t>(~35)),
        .crc = Crc32(quoted + "bee"),
        .uncompressed_size = 35 + 3},
       deflated_b});
  Patch(deflated_on, 8, U16Bytes(8));
  Patch(deflated_on, FindSignature(deflated_on, "PK\1\2") + 10, U16Bytes(8));
  const ArchiveCase cases[] = {
      {"five entries on one local header", BuildZip(five), read_error, {}},
      {"a local header inside another entry's data",
       BuildZip({a_holding_b, b_at(30 + 5 + 3)}),
       read_error,
       {}},
      {"the same, listed first", BuildZip({b_at(30 + 5 + 3), a_holding_b}), read_error, {}},
      {"a local header inside another's extra field",
       BuildZip({extra_holding_b, b_at(30 + 5)}),
       read_error,
       {}},
      {"data ending where the next header starts", adjacent, "", {"a.txt", "b.txt"}},
      {"data running one byte into the next header", one_byte_into_next, read_error, {}},
      {"stored data read on into the next header", stored_on, stream_error, {"a.txt"}},
      {"deflate data read on into the next header", deflated_on, stream_error, {"a.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    fs::remove_all(Out());
    EXPECT_EQ(Extract(c.archive), c.message);
    EXPECT_EQ(Written(), c.written);
    EXPECT_EQ(fs::exists(Out()), !c.written.empty());  // no folder either
  }
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
  fs::create_directories(Out() / "taken.txt");
  EXPECT_EQ(
      Extract(BuildZip({{.name = "taken.txt", .data = "x"}})),
      Utf16ToUtf8(u"ファイル \"" + Target("taken.txt") + u"\" を作成できません。Is a directory"));
}

// Folder entries named a/a/…/ (65,534 bytes): Windows refuses a folder path of 248 characters or
// more, so the levels below that are made, each once, and the later entries find them there. A
// file below them fails to be created.
TEST_F(ZipReaderTest, DeepFolderEntriesCostTheirLengthOnce) {
  std::string deep;
  while (deep.size() < 65534) deep += "a/";
  std::vector<TestEntry> entries(100, {.name = deep, .data = "", .local_name = ""});
  const auto deep_file = deep.substr(0, 65530) + "f.txt";  // the longest name there is
  entries.push_back({.name = deep_file, .data = "x", .local_name = ""});
  auto windows_name = deep_file;
  std::replace(windows_name.begin(), windows_name.end(), '/', '\\');
  const auto file = Target(windows_name);
  EXPECT_EQ(Extract(BuildZip(entries)),
            Utf16ToUtf8(u"ファイル \"" + file + u"\" を作成できません。File name too long"));
  fs::path deepest = Out();
  while (fs::is_directory(deepest / "a")) deepest /= "a";
  EXPECT_LT(deepest.string().size(), 248u);
  EXPECT_GE((deepest / "a").string().size(), 248u);
  EXPECT_LT(files_.folders_asked, 1000u);  // each prefix of each entry would be 3,276,800
  EXPECT_LT(files_.longest_folder, 248u);
  EXPECT_EQ(Written(), std::vector<std::string>{});
}

// Sizes 10, 30 and 20 need 90 bytes: every file, and the largest once more for the moment its
// copy stands beside it. Without room nothing is written, not even the folder.
TEST_F(ZipReaderTest, ArchiveWithoutRoomIsRefusedBeforeAnythingIsWritten) {
  const auto archive = BuildZip({{.name = "a.txt", .data = std::string(10, 'a')},
                                 {.name = "b/b.txt", .data = std::string(30, 'b'), .method = 8},
                                 {.name = "c.txt", .data = std::string(20, 'c')}});
  const TestEntry gigabyte{.name = "zeros.bin", .data = "", .uncompressed_size = 1u << 30};
  const auto bomb = BuildZip({gigabyte, gigabyte, gigabyte, gigabyte});
  const auto refusal = Utf16ToUtf8(u"ディスクの空き領域が足りないため \"" + Folder() +
                                   u"\" に展開できません。No space left on device");
  const struct {
    std::string archive;
    std::uint64_t free_space;
    std::string message;
    std::vector<std::string> written;
  } cases[] = {
      {archive, 89, refusal, {}},
      {bomb, (5ull << 30) - 1, refusal, {}},
      {archive, 90, "", {"a.txt", "b/b.txt", "c.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.free_space);
    fs::remove_all(Out());
    files_.free_space = c.free_space;
    EXPECT_EQ(Extract(c.archive), c.message);
    EXPECT_EQ(Written(), c.written);
    EXPECT_EQ(fs::exists(Out()), !c.written.empty());
  }
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
  for (const TZipCompression method : {TZipCompression{0}, TZipCompression{8}}) {
    EXPECT_NE(FindCompressionHandler(method), nullptr) << int{method};
  }
  for (const TZipCompression method :
       std::initializer_list<TZipCompression>{1, 7, 9, 12, 14, 255}) {
    EXPECT_EQ(FindCompressionHandler(method), nullptr) << int{method};
  }
}

}  // namespace
