#include "standin/core/options.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace {

TEST(OptionsTest, DefaultsToOneWorkbookWithSheet1) {
  const StandinOptions options = ParseOptions({});
  EXPECT_EQ(options.sheets, std::vector<std::u16string>{u"Sheet1"});
  EXPECT_TRUE(options.workbook);
  EXPECT_EQ(options.faults.failing_pastes, 0);
  EXPECT_FALSE(options.faults.refuse_delete);
  EXPECT_EQ(options.register_delay_ms, 0u);
  EXPECT_TRUE(options.log_path.empty());
}

TEST(OptionsTest, ReadsEveryOption) {
  const StandinOptions options =
      ParseOptions({u"--sheets", u"stops,停留所", u"--no-workbook", u"--fail-pastes", u"2",
                    u"--refuse-delete", u"--register-delay", u"3000", u"--log", u"C:\\l.txt",
                    u"--dump", u"C:\\d.json", u"--ready", u"C:\\r"});
  EXPECT_EQ(options.sheets, (std::vector<std::u16string>{u"stops", u"停留所"}));
  EXPECT_FALSE(options.workbook);
  EXPECT_EQ(options.faults.failing_pastes, 2);
  EXPECT_TRUE(options.faults.refuse_delete);
  EXPECT_EQ(options.register_delay_ms, 3000u);
  EXPECT_EQ(options.log_path, u"C:\\l.txt");
  EXPECT_EQ(options.dump_path, u"C:\\d.json");
  EXPECT_EQ(options.ready_path, u"C:\\r");
}

TEST(OptionsTest, ReadsTheUsersApplicationStates) {
  const StandinOptions options =
      ParseOptions({u"--sheets", u"data,stops", u"--ui-language", u"en", u"--protect-structure",
                    u"--hidden-sheets", u"stops", u"--cells", u"data:0012,x;;y", u"--number-format",
                    u"data:0.00", u"--busy-from", u"Cells:2", u"--busy-for", u"5000ms",
                    u"--busy-form", u"ignore"});
  EXPECT_EQ(options.faults.language, DisplayLanguage::kEnglish);
  EXPECT_TRUE(options.faults.protected_structure);
  EXPECT_EQ(options.hidden_sheets, std::vector<std::u16string>{u"stops"});
  ASSERT_EQ(options.filled_sheets.size(), 1u);
  EXPECT_EQ(options.filled_sheets[0].cells, (TextRows{{u"0012", u"x"}, {u""}, {u"y"}}));
  EXPECT_EQ(options.filled_sheets[0].number_format, u"0.00");
  EXPECT_TRUE(options.busy.busy);
  EXPECT_EQ(options.busy.from_member, u"Cells");
  EXPECT_EQ(options.busy.from_count, 2);
  EXPECT_EQ(options.busy.length_ms, 5000u);
  EXPECT_EQ(options.busy.form, BusyForm::kIgnore);
  EXPECT_EQ(ParseOptions({u"--busy-for", u"7calls"}).busy.length_calls, 7);
  EXPECT_EQ(ParseOptions({u"--busy-for", u"1ms"}).busy.form, BusyForm::kRejected);

  const Workbook workbook = MakeWorkbook(options);
  EXPECT_EQ(workbook.active().name, u"data");
  EXPECT_EQ(workbook.active().cells, (TextRows{{u"0012", u"x"}, {u""}, {u"y"}}));
  EXPECT_EQ(workbook.NumberFormatOf(workbook.active().id, CellRange::AllCells()), u"0.00");
  EXPECT_TRUE(workbook.sheet(workbook.SheetNamed(u"stops")).hidden);
}

TEST(OptionsTest, RefusesWhatItCannotRun) {
  const std::vector<std::vector<std::u16string>> refused = {
      {u"--sheet", u"a"},
      {u"--log"},
      {u"--fail-pastes", u"-1"},
      {u"--register-delay", u"99999999999"},
      {u"--register-delay", u"2147483648"},
      {u"--fail-pastes", u"1x"},
      {u"--fail-pastes", u""},
      {u"--sheets", u"a,,b"},
      {u"--sheets", u"a,A"},
      {u"--sheets", u"History"},
      {u"--ui-language", u"fr"},
      {u"--hidden-sheets", u"Sheet1"},  // none would be left visible
      {u"--hidden-sheets", u"trips"},
      {u"--cells", u"trips:a"},
      {u"--cells", u"no sheet"},
      {u"--busy-from", u"Cells:2"},  // for how long?
      {u"--busy-from", u"Cells:0", u"--busy-for", u"1ms"},
      {u"--busy-for", u"5s"},
      {u"--busy-for", u"1ms", u"--busy-form", u"later"},
  };
  for (const auto& arguments : refused) EXPECT_THROW(ParseOptions(arguments), Error);
}

TEST(OptionsTest, NumbersReachTheLargestSigned32BitValue) {
  EXPECT_EQ(ParseOptions({u"--register-delay", u"2147483647"}).register_delay_ms, 2147483647u);
  EXPECT_EQ(ParseOptions({u"--fail-pastes", u"0"}).faults.failing_pastes, 0);
}

}  // namespace
