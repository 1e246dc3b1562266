#include "standin/core/dump.h"

#include <gtest/gtest.h>

namespace {

TEST(DumpTest, ShowsSheetsInOrderWithFormatsCellsKeysAndWindow) {
  Workbook workbook({u"agency", u"停留所"}, {});
  const SheetId stops = workbook.SheetAt(2);
  workbook.Select(stops, true);
  workbook.SetNumberFormat(stops, CellRange::AllCells(), u"@");
  workbook.SetNumberFormat(stops, CellRange::Cell(12, 3), u"0");
  workbook.PasteSpecial(stops, u"Unicode テキスト",
                        [] { return std::u16string(u"id\t\"\"\"a\\b\"\"\"\r\n\x01\t\x1f\t "); });
  const ApplicationSettings settings{.screen_updating = false, .cut_copy_mode = true};
  const std::vector<KeyEvent> keys{{KeyMessage::kDown, 27}, {KeyMessage::kSysUp, 18}};

  EXPECT_EQ(DumpJson(&workbook, settings, keys, {20, 20, 1880, 1040}, 3),
            "{\"workbook\":true,\"active\":\"停留所\",\"screenUpdating\":false,"
            "\"displayAlerts\":true,\"cutCopyMode\":true,\"sheets\":["
            "{\"name\":\"agency\",\"selected\":false,\"formats\":[],\"cells\":[]},"
            "{\"name\":\"停留所\",\"selected\":true,\"formats\":[{\"range\":\"all\",\"format\":"
            "\"@\"},{\"range\":\"R12C3\",\"format\":\"0\"}],\"cells\":[[\"id\",\"\\\"a\\\\b\\\"\"],"
            "[\"\\u0001\",\"\\u001f\",\" \"]]}],"
            "\"keys\":[{\"msg\":\"down\",\"vk\":27},{\"msg\":\"sysup\",\"vk\":18}],"
            "\"window\":{\"left\":20,\"top\":20,\"width\":1880,\"height\":1040},"
            "\"clientReferences\":3}\n");
}

TEST(DumpTest, WithoutAWorkbook) {
  EXPECT_EQ(DumpJson(nullptr, {}, {}, {}, 0),
            "{\"workbook\":false,\"active\":\"\",\"screenUpdating\":true,\"displayAlerts\":true,"
            "\"cutCopyMode\":false,\"sheets\":[],\"keys\":[],"
            "\"window\":{\"left\":0,\"top\":0,\"width\":0,\"height\":0},"
            "\"clientReferences\":0}\n");
}

TEST(DumpTest, SummaryHasTheSheetsInOrderWithTheirRowCounts) {
  Workbook workbook({u"agency", u"停留所"}, {});
  const SheetId stops = workbook.SheetAt(2);
  workbook.Select(stops, true);
  workbook.PasteSpecial(stops, u"Unicode テキスト",
                        [] { return std::u16string(u"id\tname\r\n1\t\"a\"\r\n\r\n2"); });

  EXPECT_EQ(SummaryJson(&workbook),
            "{\"active\":\"停留所\",\"sheets\":[{\"name\":\"agency\",\"rows\":0},"
            "{\"name\":\"停留所\",\"rows\":4}]}\n");
  EXPECT_EQ(SummaryJson(nullptr), "{\"active\":\"\",\"sheets\":[]}\n");
  EXPECT_EQ(SummaryJson(&workbook, {{stops, {30, 1040, 60, 24}}}),
            "{\"active\":\"停留所\",\"sheets\":[{\"name\":\"agency\",\"rows\":0},"
            "{\"name\":\"停留所\",\"rows\":4,\"tab\":{\"left\":30,\"top\":1040,\"width\":60,"
            "\"height\":24}}]}\n");
}

TEST(DumpTest, OnlyAHiddenSheetSaysItIsHidden) {
  Workbook workbook({u"a", u"b"}, {});
  workbook.Hide(workbook.SheetAt(1));
  const std::string dump = DumpJson(&workbook, {}, {}, {}, 0);
  EXPECT_NE(dump.find("{\"name\":\"a\",\"selected\":false,\"hidden\":true,\"formats\""),
            std::string::npos);
  EXPECT_NE(dump.find("{\"name\":\"b\",\"selected\":true,\"formats\""), std::string::npos);
}

}  // namespace
