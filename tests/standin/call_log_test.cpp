#include "standin/core/call_log.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

TEST(CallLogTest, FormatsLines) {
  EXPECT_EQ(LookupLine(u"sheets"), "GetIDsOfNames sheets");
  const std::uint16_t paste[] = {0x0008, 0x000b, 0x000b};
  EXPECT_EQ(InvokeLine("Worksheet", "PasteSpecial", 3, paste, 0),
            "Invoke Worksheet.PasteSpecial flags=3 args=0008,000b,000b named=0");
  const std::uint16_t by_reference[] = {0x4008};
  EXPECT_EQ(InvokeLine("Application", "Sheets", 3, by_reference, 0),
            "Invoke Application.Sheets flags=3 args=4008 named=0");
  EXPECT_EQ(InvokeLine("Range", "Select", 1, {}, 0), "Invoke Range.Select flags=1 args= named=0");
  const std::u16string texts[] = {u"Unicode Text", u"@"};
  EXPECT_EQ(TextsLine(texts), "Texts \"Unicode Text\" \"@\"");
  EXPECT_EQ(BusyLine("Range.Invoke rejected", 1765300000123),
            "Busy Range.Invoke rejected at=1765300000123");
  EXPECT_EQ(ErrorLine(u"インデックスが有効範囲にありません。"),
            "Error \xe3\x82\xa4\xe3\x83\xb3\xe3\x83\x87\xe3\x83\x83\xe3\x82\xaf\xe3\x82\xb9"
            "\xe3\x81\x8c\xe6\x9c\x89\xe5\x8a\xb9\xe7\xaf\x84\xe5\x9b\xb2\xe3\x81\xab\xe3\x81"
            "\x82\xe3\x82\x8a\xe3\x81\xbe\xe3\x81\x9b\xe3\x82\x93\xe3\x80\x82");
}

TEST(CallLogTest, EachLineIsInTheFileAtOnce) {
  const auto path = std::filesystem::temp_directory_path() / "standin_call_log_test.txt";
  {
    CallLog log(path);
    log.Write("first");
    log.Write("second");
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "first\nsecond\n");
  }
  std::filesystem::remove(path);
  CallLog().Write("nowhere");  // a log without a file writes nothing and does not fail
}

}  // namespace
