#include "base/error.h"

#include <gtest/gtest.h>

TEST(FormatText, FillsEachPlaceholderInTurnAndKeepsSurplusOnes) {
  EXPECT_EQ(
      FormatText(u"ファイル %s は開けません。 %s ", {u"C:\\a.zip", u"アクセスが拒否されました"}),
      u"ファイル C:\\a.zip は開けません。 アクセスが拒否されました ");
  EXPECT_EQ(FormatText(u"%s and %s", {u"one"}), u"one and %s");
  EXPECT_EQ(FormatText(u"100%", {u"x"}), u"100%");
}

TEST(WithFinalStop, AppendsOnlyAfterAUnitAboveTheFullStop) {
  EXPECT_EQ(WithFinalStop(u"data error"), u"data error.");
  EXPECT_EQ(WithFinalStop(u"項目が見つかりません"), u"項目が見つかりません.");
  EXPECT_EQ(WithFinalStop(u"done."), u"done.");
  EXPECT_EQ(WithFinalStop(u"ends in space "), u"ends in space ");
  EXPECT_EQ(WithFinalStop(u"dash-"), u"dash-");  // '-' sorts below '.'
  EXPECT_EQ(WithFinalStop(u"slash/"), u"slash/.");
  EXPECT_EQ(WithFinalStop(u""), u"");
}

TEST(Error, CarriesItsTextAndAUtf8What) {
  const Error error(u"ストリームからの読み取りエラー");
  EXPECT_EQ(error.text(), u"ストリームからの読み取りエラー");
  EXPECT_STREQ(error.what(), "ストリームからの読み取りエラー");
}
