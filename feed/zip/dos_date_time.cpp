#include "feed/zip/dos_date_time.h"

#include "base/error.h"
#include "feed/zip/zip_failure_texts.h"

namespace {

// The packed stamp's fields, from the high bits down: years since 1980, month, day, hour,
// minute, pairs of seconds.
constexpr int kEpochYear = 1980;
constexpr int kSecondsPerPair = 2;
struct BitField {
  int shift, width;
};
constexpr BitField kYear{25, 7}, kMonth{21, 4}, kDay{16, 5}, kHour{11, 5}, kMinute{5, 6},
    kSecondPairs{0, 5};

int FieldOf(std::uint32_t packed, BitField field) {
  return static_cast<int>((packed >> field.shift) & ((1u << field.width) - 1));
}

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
      .year = kEpochYear + FieldOf(packed, kYear),
      .month = FieldOf(packed, kMonth),
      .day = FieldOf(packed, kDay),
      .hour = FieldOf(packed, kHour),
      .minute = FieldOf(packed, kMinute),
      .second = kSecondsPerPair * FieldOf(packed, kSecondPairs),
  };
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) {
    throw Error(kNotADate);
  }
  if (t.hour > 23 || t.minute > 59 || t.second > 59) {
    throw Error(kNotATime);
  }
  return t;
}
