#include <gtest/gtest.h>

#include "base/error.h"
#include "base/utf.h"
#include "feed/zip/dos_date_time.h"

namespace {

std::u16string DateTimeOrMessage(std::uint32_t packed) {
  try {
    const auto t = DecodeDosDateTime(packed);
    return Utf8ToUtf16(std::to_string(t.year) + "-" + std::to_string(t.month) + "-" +
                       std::to_string(t.day) + " " + std::to_string(t.hour) + ":" +
                       std::to_string(t.minute) + ":" + std::to_string(t.second));
  } catch (const Error& error) {
    return error.text();
  }
}

constexpr std::uint32_t Pack(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<std::uint32_t>((year - 1980) << 25 | month << 21 | day << 16 | hour << 11 |
                                    minute << 5 | second / 2);
}

TEST(DecodeDosDateTime, RefusesWhatIsNoCalendarDateOrClockTime) {
  const std::u16string bad_date = u"日付に変換できない値が渡されました";
  const std::u16string bad_time = u"時刻に変換できない値が渡されました";
  const struct {
    std::uint32_t packed;
    std::u16string expected;
  } cases[] = {
      {0x0021'0000, u"1980-1-1 0:0:0"},  // the smallest date there is
      {0xFF9F'BF7D, u"2107-12-31 23:59:58"},
      {Pack(2024, 2, 29, 23, 59, 58), u"2024-2-29 23:59:58"},
      {Pack(2000, 2, 29, 0, 0, 0), u"2000-2-29 0:0:0"},
      {Pack(2100, 2, 29, 0, 0, 0), bad_date},
      {Pack(2100, 2, 28, 0, 0, 0), u"2100-2-28 0:0:0"},
      {Pack(2023, 2, 29, 0, 0, 0), bad_date},
      {Pack(2023, 2, 28, 0, 0, 0), u"2023-2-28 0:0:0"},
      {Pack(2023, 4, 31, 0, 0, 0), bad_date},
      {Pack(2023, 4, 30, 0, 0, 0), u"2023-4-30 0:0:0"},
      {Pack(2023, 1, 31, 0, 0, 0), u"2023-1-31 0:0:0"},
      {Pack(2023, 0, 1, 0, 0, 0), bad_date},
      {Pack(2023, 13, 1, 0, 0, 0), bad_date},
      {Pack(2023, 15, 1, 0, 0, 0), bad_date},
      {Pack(2023, 12, 1, 0, 0, 0), u"2023-12-1 0:0:0"},
      {Pack(2023, 1, 0, 0, 0, 0), bad_date},
      {Pack(2023, 1, 1, 24, 0, 0), bad_time},
      {Pack(2023, 1, 1, 31, 0, 0), bad_time},
      {Pack(2023, 1, 1, 0, 60, 0), bad_time},
      {Pack(2023, 1, 1, 0, 63, 0), bad_time},
      {Pack(2023, 1, 1, 0, 0, 60), bad_time},
      {Pack(2023, 1, 1, 0, 0, 62), bad_time},
      {Pack(2023, 0, 1, 24, 0, 0), bad_date},  // the date first
  };
  for (const auto& c : cases) EXPECT_EQ(DateTimeOrMessage(c.packed), c.expected) << c.packed;
}

}  // namespace
