#include "standin/core/workbook.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/error.h"

namespace {

std::vector<std::u16string> Names(const Workbook& workbook) {
  std::vector<std::u16string> names;
  for (const auto& sheet : workbook.sheets()) names.push_back(sheet.name);
  return names;
}

std::vector<std::u16string> SelectedNames(const Workbook& workbook) {
  std::vector<std::u16string> names;
  for (const SheetId id : workbook.SelectedSheets()) names.push_back(workbook.sheet(id).name);
  return names;
}

ClipboardText Holding(std::optional<std::u16string> text) {
  return [text] { return text; };
}

constexpr std::u16string_view kUnicodeText = u"Unicode テキスト";

TEST(WorkbookTest, FindsSheetsByNameWithoutCaseAndByPosition) {
  const Workbook workbook({u"agency", u"Stops"}, {});
  EXPECT_EQ(workbook.SheetNamed(u"STOPS"), workbook.sheets()[1].id);
  EXPECT_EQ(workbook.SheetAt(1), workbook.sheets()[0].id);
  EXPECT_THROW(workbook.SheetNamed(u"trips"), Error);
  EXPECT_THROW(workbook.SheetAt(0), Error);
  EXPECT_THROW(workbook.SheetAt(3), Error);
  const std::vector<SheetId> only_stops{workbook.sheets()[1].id};
  EXPECT_THROW(workbook.SheetNamed(u"agency", only_stops), Error);
  EXPECT_EQ(workbook.SheetAt(1, only_stops), only_stops[0]);
}

TEST(WorkbookTest, RefusesBadInitialSheets) {
  EXPECT_THROW(Workbook({}, {}), Error);
  EXPECT_THROW(Workbook({u"a", u"A"}, {}), Error);
  EXPECT_THROW(Workbook({u"a/b"}, {}), Error);
}

TEST(WorkbookTest, SelectMakesTheSheetActiveAndTheOnlySelected) {
  Workbook workbook({u"a", u"b", u"c"}, {});
  workbook.Select(workbook.SheetNamed(u"b"), false);
  EXPECT_EQ(SelectedNames(workbook), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(workbook.active().name, u"a");
  workbook.Select(workbook.SheetNamed(u"c"), true);
  EXPECT_EQ(SelectedNames(workbook), std::vector<std::u16string>{u"c"});
  EXPECT_EQ(workbook.active().name, u"c");
}

TEST(WorkbookTest, AddNumbersNewSheetsAndActivatesThem) {
  Workbook workbook({u"stops"}, {});
  const SheetId first = workbook.Add(std::nullopt, workbook.SheetAt(1));
  EXPECT_EQ(workbook.active().id, first);
  EXPECT_EQ(SelectedNames(workbook), std::vector<std::u16string>{u"Sheet2"});
  workbook.Rename(first, u"trips");
  workbook.Add(std::nullopt, workbook.SheetAt(2));
  // Before the active sheet when no place is given; the counter skips names in use.
  workbook.Rename(workbook.SheetAt(3), u"Sheet4");
  workbook.Add(std::nullopt, std::nullopt);
  EXPECT_EQ(Names(workbook),
            (std::vector<std::u16string>{u"stops", u"trips", u"Sheet5", u"Sheet4"}));
  workbook.Add(workbook.SheetAt(1), std::nullopt);
  EXPECT_EQ(Names(workbook).front(), u"Sheet6");
  EXPECT_THROW(workbook.Add(workbook.SheetAt(1), workbook.SheetAt(2)), Error);
}

TEST(WorkbookTest, DeleteKeepsAtLeastOneSheetAndActivatesTheNext) {
  Workbook workbook({u"a", u"b", u"c"}, {});
  workbook.Select(workbook.SheetNamed(u"b"), true);
  workbook.Delete(workbook.SelectedSheets());
  EXPECT_EQ(Names(workbook), (std::vector<std::u16string>{u"a", u"c"}));
  EXPECT_EQ(workbook.active().name, u"c");
  EXPECT_EQ(SelectedNames(workbook), std::vector<std::u16string>{u"c"});

  workbook.Delete({workbook.SheetNamed(u"c")});
  EXPECT_EQ(workbook.active().name, u"a");  // the last one went: the one before it
  EXPECT_THROW(workbook.Delete(workbook.AllSheets()), Error);
  EXPECT_EQ(Names(workbook), std::vector<std::u16string>{u"a"});
}

TEST(WorkbookTest, DeleteRefusedByFaultChangesNothing) {
  Workbook workbook({u"a", u"b"}, {.refuse_delete = true});
  EXPECT_THROW(workbook.Delete({workbook.SheetNamed(u"b")}), Error);
  EXPECT_EQ(Names(workbook), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(WorkbookTest, RenameRefusesClashesButNotItsOwnName) {
  Workbook workbook({u"stops", u"Sheet2"}, {});
  const SheetId sheet = workbook.SheetNamed(u"Sheet2");
  EXPECT_THROW(workbook.Rename(sheet, u"STOPS"), Error);
  EXPECT_THROW(workbook.Rename(sheet, u"history"), Error);
  EXPECT_EQ(workbook.sheet(sheet).name, u"Sheet2");
  workbook.Rename(sheet, u"SHEET2");
  EXPECT_EQ(workbook.sheet(sheet).name, u"SHEET2");
}

TEST(WorkbookTest, GoneSheetsAreRefused) {
  Workbook workbook({u"a", u"b"}, {});
  const SheetId gone = workbook.SheetNamed(u"b");
  workbook.Delete({gone});
  EXPECT_THROW(workbook.Rename(gone, u"c"), Error);
  EXPECT_THROW(workbook.Select(gone, true), Error);
}

TEST(WorkbookTest, RangesSelectOnlyOnTheActiveSheet) {
  Workbook workbook({u"a", u"b"}, {});
  const SheetId a = workbook.SheetNamed(u"a");
  EXPECT_THROW(workbook.SelectRange(workbook.SheetNamed(u"b"), CellRange::Cell(2, 2)), Error);
  workbook.SelectRange(a, CellRange::Cell(3, 4));
  workbook.SelectRange(a, CellRange::AllCells());
  EXPECT_EQ(workbook.active().selection, CellRange::AllCells());
  EXPECT_EQ(workbook.active().active_row, 3);  // all cells keep the active cell
  EXPECT_EQ(workbook.active().active_column, 4);
}

TEST(WorkbookTest, CellsLieWithinTheSheet) {
  EXPECT_EQ(CellRange::Cell(1048576, 16384), (CellRange{false, 1048576, 16384}));
  EXPECT_EQ(CellRange::Cell(1, 1), (CellRange{false, 1, 1}));
  EXPECT_THROW(CellRange::Cell(0, 1), Error);
  EXPECT_THROW(CellRange::Cell(1, 0), Error);
  EXPECT_THROW(CellRange::Cell(1048577, 1), Error);
  EXPECT_THROW(CellRange::Cell(1, 16385), Error);
}

TEST(WorkbookTest, NumberFormatsAreRecordedInOrder) {
  Workbook workbook({u"a"}, {});
  const SheetId a = workbook.SheetAt(1);
  EXPECT_EQ(workbook.NumberFormatOf(a, CellRange::Cell(1, 1)), u"G/標準");
  workbook.SetNumberFormat(a, CellRange::AllCells(), u"@");
  workbook.SetNumberFormat(a, CellRange::Cell(2, 3), u"0.00");
  EXPECT_EQ(workbook.NumberFormatOf(a, CellRange::Cell(2, 3)), u"0.00");
  EXPECT_EQ(workbook.NumberFormatOf(a, CellRange::Cell(1, 1)), u"@");
  EXPECT_EQ(workbook.active().formats.size(), 2u);
}

TEST(WorkbookTest, PastesFromTheActiveCellAsTextWhereFormattedSo) {
  Workbook workbook({u"a"}, {});
  const SheetId a = workbook.SheetAt(1);
  workbook.SetNumberFormat(a, CellRange::AllCells(), u"@");
  workbook.SetNumberFormat(a, CellRange::Cell(2, 3), u"G/標準");
  workbook.SelectRange(a, CellRange::Cell(2, 2));
  workbook.PasteSpecial(a, kUnicodeText, Holding(u"007\t007\r\n08:00\t-0.50\r\n"));
  const TextRows expected{{}, {u"", u"007", u"7"}, {u"", u"08:00", u"-0.50"}};
  EXPECT_EQ(workbook.active().cells, expected);
}

TEST(WorkbookTest, TheFirstPastesFailAsAskedThenTheyGoThrough) {
  Workbook workbook({u"a"}, {.failing_pastes = 2});
  const SheetId a = workbook.SheetAt(1);
  EXPECT_THROW(workbook.PasteSpecial(a, kUnicodeText, Holding(u"1")), Error);
  EXPECT_THROW(workbook.PasteSpecial(a, kUnicodeText, Holding(u"2")), Error);
  EXPECT_TRUE(workbook.active().cells.empty());
  workbook.PasteSpecial(a, kUnicodeText, Holding(u"3"));
  EXPECT_EQ(workbook.active().cells, (TextRows{{u"3"}}));
}

TEST(WorkbookTest, RefusedPastesLeaveTheCellsAlone) {
  Workbook workbook({u"a", u"b"}, {});
  const SheetId a = workbook.SheetAt(1);
  const auto text = Holding(u"x");
  EXPECT_THROW(workbook.PasteSpecial(a, u"テキスト", text), Error);
  EXPECT_THROW(workbook.PasteSpecial(a, kUnicodeText, Holding(std::nullopt)), Error);
  EXPECT_THROW(workbook.PasteSpecial(workbook.SheetAt(2), kUnicodeText, text), Error);
  workbook.SelectRange(a, CellRange::Cell(1048576, 1));
  EXPECT_THROW(workbook.PasteSpecial(a, kUnicodeText, Holding(u"x\r\ny")), Error);
  EXPECT_TRUE(workbook.active().cells.empty());
  workbook.PasteSpecial(a, kUnicodeText, text);  // the same sheet takes a paste that fits
  EXPECT_EQ(workbook.active().cells.size(), 1048576u);
  EXPECT_EQ(workbook.active().cells.back(), std::vector<std::u16string>{u"x"});
}

TEST(WorkbookTest, EachDisplayLanguageKnowsItsOwnFormatName) {
  const struct {
    DisplayLanguage language;
    std::u16string_view accepted, refused;
  } cases[] = {
      {DisplayLanguage::kJapanese, u"Unicode テキスト", u"Unicode Text"},
      {DisplayLanguage::kEnglish, u"Unicode Text", u"Unicode テキスト"},
  };
  for (const auto& c : cases) {
    Workbook workbook({u"a"}, {.language = c.language});
    const SheetId a = workbook.SheetAt(1);
    EXPECT_THROW(workbook.PasteSpecial(a, c.refused, Holding(u"x")), Error);
    EXPECT_TRUE(workbook.active().cells.empty());
    workbook.PasteSpecial(a, c.accepted, Holding(u"x"));
    EXPECT_EQ(workbook.active().cells, (TextRows{{u"x"}}));
  }
}

TEST(WorkbookTest, AProtectedStructureRefusesAddDeleteAndRenameAndChangesNothing) {
  Workbook workbook({u"a", u"b"}, {.protected_structure = true});
  const SheetId a = workbook.SheetAt(1);
  EXPECT_THROW(workbook.Add(std::nullopt, workbook.SheetAt(2)), Error);
  EXPECT_THROW(workbook.Delete({a}), Error);
  EXPECT_THROW(workbook.Rename(a, u"c"), Error);
  EXPECT_EQ(Names(workbook), (std::vector<std::u16string>{u"a", u"b"}));
  // The cells can still be written: only the structure is protected.
  workbook.SetNumberFormat(a, CellRange::AllCells(), u"@");
  workbook.Select(workbook.SheetAt(2), true);
}

TEST(WorkbookTest, HiddenSheetsCannotBeSelectedNorLeftAsTheOnlySheets) {
  Workbook workbook({u"stops", u"a", u"b"}, {});
  const SheetId stops = workbook.SheetAt(1);
  workbook.Hide(stops);
  // The active sheet went out of sight: the next visible one took over.
  EXPECT_EQ(workbook.active().name, u"a");
  EXPECT_EQ(SelectedNames(workbook), std::vector<std::u16string>{u"a"});
  EXPECT_EQ(workbook.SheetNamed(u"stops"), stops);  // found by name all the same
  EXPECT_THROW(workbook.Select(stops, true), Error);
  EXPECT_THROW(workbook.Rename(workbook.SheetAt(2), u"Stops"), Error);
  EXPECT_THROW(workbook.Add(std::nullopt, stops), Error);
  EXPECT_THROW(workbook.Add(stops, std::nullopt), Error);

  workbook.Select(workbook.SheetNamed(u"b"), true);
  workbook.Delete({workbook.SheetNamed(u"b")});
  EXPECT_EQ(workbook.active().name, u"a");  // the last visible before it
  EXPECT_THROW(workbook.Delete({workbook.SheetNamed(u"a")}), Error);
  EXPECT_THROW(workbook.Hide(workbook.SheetNamed(u"a")), Error);
  EXPECT_EQ(Names(workbook), (std::vector<std::u16string>{u"stops", u"a"}));
  EXPECT_FALSE(workbook.sheet(workbook.SheetNamed(u"a")).hidden);
}

// The application's own words for each refusal, as its clients see them.
TEST(WorkbookTest, RefusalsCarryTheApplicationsOwnWords) {
  const std::u16string_view kIndex = u"インデックスが有効範囲にありません。";
  const std::u16string_view kName = u"Worksheet クラスの Name プロパティを設定できません。";
  const struct {
    const char* call;
    std::function<void(Workbook&)> make;
    std::u16string_view words;
  } cases[] = {
      {"SheetAt", [](Workbook& w) { w.SheetAt(3); }, kIndex},
      {"SheetNamed", [](Workbook& w) { w.SheetNamed(u"trips"); }, kIndex},
      {"no sheets", [](Workbook&) { Workbook({}, {}); },
       u"ブックには少なくとも 1 つのシートが必要です。"},
      {"same names",
       [](Workbook&) {
         Workbook({u"a", u"A"}, {});
       },
       u"すでにある名前と同じ名前のシートは作れません。"},
      {"bad name", [](Workbook&) { Workbook({u"a/b"}, {}); }, kName},
      {"Rename", [](Workbook& w) { w.Rename(w.SheetAt(2), u"A"); }, kName},
      {"gone sheet",
       [](Workbook& w) {
         const SheetId gone = w.SheetAt(2);
         w.Delete({gone});
         w.Select(gone, true);
       },
       u"オブジェクトは削除されています。"},
      {"Delete", [](Workbook& w) { w.Delete(w.AllSheets()); },
       u"Sheets クラスの Delete メソッドが失敗しました"},
      {"Add", [](Workbook& w) { w.Add(w.SheetAt(1), w.SheetAt(2)); },
       u"Sheets クラスの Add メソッドが失敗しました"},
      {"SelectRange", [](Workbook& w) { w.SelectRange(w.SheetAt(2), CellRange::AllCells()); },
       u"Range クラスの Select メソッドが失敗しました"},
      {"PasteSpecial",
       [](Workbook& w) { w.PasteSpecial(w.SheetAt(1), u"テキスト", Holding(u"x")); },
       u"Worksheet クラスの PasteSpecial メソッドが失敗しました"},
      {"hidden Select",
       [](Workbook& w) {
         w.Hide(w.SheetAt(2));
         w.Select(w.SheetAt(2), true);
       },
       u"Worksheet クラスの Select メソッドが失敗しました"},
      {"last visible Delete",
       [](Workbook& w) {
         w.Hide(w.SheetAt(2));
         w.Delete({w.SheetAt(1)});
       },
       u"Sheets クラスの Delete メソッドが失敗しました"},
      {"last visible Hide",
       [](Workbook& w) {
         w.Hide(w.SheetAt(2));
         w.Hide(w.SheetAt(1));
       },
       u"Worksheet クラスの Visible プロパティを設定できません。"},
      {"Cell", [](Workbook&) { CellRange::Cell(0, 1); },
       u"アプリケーション定義またはオブジェクト定義のエラーです。"},
  };
  for (const auto& c : cases) {
    Workbook workbook({u"a", u"b"}, {});
    std::u16string words = u"(nothing refused)";
    try {
      c.make(workbook);
    } catch (const Error& error) {
      words = error.text();
    }
    EXPECT_EQ(words, c.words) << c.call;
  }
}

}  // namespace
