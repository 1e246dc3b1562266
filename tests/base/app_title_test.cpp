#include "base/app_title.h"

#include <gtest/gtest.h>

TEST(ApplicationTitle, CutsAtTheFirstStopAndLowersAllButTheFirstUnit) {
  EXPECT_EQ(ApplicationTitle(u"C:\\tools\\Velmora.exe"), u"Velmora");
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\ZorudUdiv.exe"), u"Zorududiv");
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\ExcelTool.v2.exe"), u"Exceltool");
  EXPECT_EQ(ApplicationTitle(u"velmora"), u"velmora");
  EXPECT_EQ(ApplicationTitle(u"C:\\x.y\\noext"), u"noext");
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\.hidden.exe"), u"");
}
