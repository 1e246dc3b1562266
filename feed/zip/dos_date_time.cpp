#include "feed/zip/dos_date_time.h"

#include "base/error.h"

namespace {

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

DosDateTime DecodeDosDateTime(std::uint32_t packed) {
  const DosDateTime t{
      .year = 1980 + static_cast<int>(packed >> 25),
      .month = static_cast<int>((packed >> 21) & 0x0F),
      .day = static_cast<int>((packed >> 16) & 0x1F),
      .hour = static_cast<int>((packed >> 11) & 0x1F),
      .minute = static_cast<int>((packed >> 5) & 0x3F),
      .second = 2 * static_cast<int>(packed & 0x1F),
  };
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) {
    throw Error(u"日付に変換できない値が渡されました");
  }
  if (t.hour > 23 || t.minute > 59 || t.second > 59) {
    throw Error(u"時刻に変換できない値が渡されました");
  }
  return t;
}
