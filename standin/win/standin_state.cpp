#include "standin/win/standin_state.h"

#include "base/error.h"

Workbook& StandinState::RequireWorkbook(std::u16string_view member) {
  if (!workbook) {
    throw Error(FormatText(u"'%s' メソッドは失敗しました: '_Application' オブジェクト", {member}));
  }
  return *workbook;
}

void StandinState::Changed() const {
  if (window && settings.screen_updating) InvalidateRect(window, nullptr, TRUE);
}
