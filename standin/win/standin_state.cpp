#include "standin/win/standin_state.h"

#include "standin/core/refusals.h"

Workbook& StandinState::RequireWorkbook(std::u16string_view member) {
  if (!workbook) Refuse(FormatText(kNoWorkbookOpen, {member}));
  return *workbook;
}

void StandinState::Changed() const {
  if (window && settings.screen_updating) InvalidateRect(window, nullptr, TRUE);
}

bool StandinState::RefusedAsBusy(std::string_view refused) {
  if (!busy.Refuses(GetTickCount64())) return false;
  // FILETIME counts 100 ns steps from 1601; the log gives milliseconds from 1970, as tests do.
  constexpr std::uint64_t kStepsPerMs = 10000;
  constexpr std::uint64_t kMsFrom1601To1970 = 11644473600000;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t steps = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  log.Write(BusyLine(refused, steps / kStepsPerMs - kMsFrom1601To1970));
  return true;
}
