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
  };
  for (const auto& arguments : refused) EXPECT_THROW(ParseOptions(arguments), Error);
}

TEST(OptionsTest, NumbersReachTheLargestSigned32BitValue) {
  EXPECT_EQ(ParseOptions({u"--register-delay", u"2147483647"}).register_delay_ms, 2147483647u);
  EXPECT_EQ(ParseOptions({u"--fail-pastes", u"0"}).faults.failing_pastes, 0);
}

}  // namespace
