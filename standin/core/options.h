#pragma once
// The stand-in's command line.
#include <cstdint>
#include <string>
#include <vector>

#include "standin/core/busy.h"
#include "standin/core/workbook.h"

// What one sheet holds when the stand-in starts.
struct InitialSheet {
  std::u16string name;
  TextRows cells;
  std::u16string number_format;  // of all its cells; empty: the general format
};

struct StandinOptions {
  std::vector<std::u16string> sheets{u"Sheet1"};
  bool workbook = true;
  WorkbookFaults faults;
  std::vector<std::u16string> hidden_sheets;
  std::vector<InitialSheet> filled_sheets;
  BusyPlan busy;
  std::uint32_t register_delay_ms = 0;
  std::u16string log_path;  // empty: no log
  std::u16string dump_path;
  std::u16string ready_path;
};

// arguments: without the program name. Throws Error for an unknown option, a missing or
// malformed value, or an initial workbook the application would refuse.
StandinOptions ParseOptions(const std::vector<std::u16string>& arguments);

// The workbook the options describe. Throws Error as ParseOptions does.
Workbook MakeWorkbook(const StandinOptions& options);
