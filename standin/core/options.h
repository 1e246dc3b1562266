#pragma once
// The stand-in's command line.
#include <cstdint>
#include <string>
#include <vector>

#include "standin/core/workbook.h"

struct StandinOptions {
  std::vector<std::u16string> sheets{u"Sheet1"};
  bool workbook = true;
  WorkbookFaults faults;
  std::uint32_t register_delay_ms = 0;
  std::u16string log_path;  // empty: no log
  std::u16string dump_path;
  std::u16string ready_path;
};

// arguments: without the program name. Throws Error for an unknown option, a missing or
// malformed value, or initial sheet names the application would refuse.
StandinOptions ParseOptions(const std::vector<std::u16string>& arguments);
