#pragma once
#include <cstdint>

struct DosDateTime {
  int year, month, day, hour, minute, second;
  bool operator==(const DosDateTime&) const = default;
};

// MS-DOS time in the low 16 bits, date in the high 16 bits. Throws when the date is no calendar
// date, then when the time is no clock time.
DosDateTime DecodeDosDateTime(std::uint32_t packed);
