#include "standin/win/standin_state.h"

#include "standin/core/refusals.h"

Workbook& StandinState::RequireWorkbook(std::u16string_view member) {
  if (!workbook) Refuse(FormatText(kNoWorkbookOpen, {member}));
  return *workbook;
}

void StandinState::Changed() const {
  if (window && settings.screen_updating) InvalidateRect(window, nullptr, TRUE);
}
