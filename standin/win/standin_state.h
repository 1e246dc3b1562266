#pragma once
// What every automation object of the stand-in reaches: the workbook, the settings, the log and
// the window that shows them.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "standin/core/busy.h"
#include "standin/core/call_log.h"
#include "standin/core/dump.h"
#include "standin/core/workbook.h"

struct StandinState {
  std::optional<Workbook> workbook;
  ApplicationSettings settings;
  std::vector<KeyEvent> keys;
  CallLog log;
  BusyPeriod busy;
  // The strong connections COM reports on the automation objects: the references clients hold.
  std::int64_t client_references = 0;
  HWND window = nullptr;

  // Throws the application's error for a member that needs an open workbook.
  Workbook& RequireWorkbook(std::u16string_view member);
  // Redraws the window unless screen updating is off, as the application does.
  void Changed() const;
  // Whether a call arriving now is refused as busy; a refused one is logged as refused.
  bool RefusedAsBusy(std::string_view refused);
};
