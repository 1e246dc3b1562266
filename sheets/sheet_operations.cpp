#include "sheets/sheet_operations.h"

#include <exception>

namespace sheets {
namespace {

template <typename Steps>
int32_t FailureAsMinusOne(Steps steps) {
  try {
    return steps();
  } catch (const std::exception&) {
    return -1;
  }
}

template <typename Steps>
void FailureIgnored(Steps steps) {
  try {
    steps();
  } catch (const std::exception&) {
  }
}

}  // namespace

void SetScreenUpdating(const Value& app, int32_t on) {
  FailureIgnored([&] { app.Invoke(Put(u"ScreenUpdating", Bool(on != 0))); });
}

int32_t SelectSheetByName(const Value& app, const std::u16string& name) {
  return FailureAsMinusOne([&] {
    app.Invoke(Get(u"sheets", {TextByRef(name)}))->Invoke(Method(u"select"));
    return 0;
  });
}

int32_t DeleteSelectedSheets(const Value& app) {
  return FailureAsMinusOne([&] {
    app.Invoke(Put(u"DisplayAlerts", Bool(false)));
    const int32_t deleted = FailureAsMinusOne([&] {
      app.Invoke(Get(u"ActiveWindow"))->Invoke(Get(u"SelectedSheets"))->Invoke(Method(u"Delete"));
      return 1;
    });
    // Also after a failed delete: the application keeps the setting once we are gone, and alerts
    // left off would silence the user's own later work in it.
    app.Invoke(Put(u"DisplayAlerts", Bool(true)));
    return deleted;
  });
}

int32_t AddSheetAfterLast(const Value& app, const std::u16string& name) {
  return FailureAsMinusOne([&] {
    const int32_t count = app.Invoke(Get(u"sheets"))->Invoke(Get(u"count"))->ToInt32();
    const auto last = app.Invoke(Get(u"sheets"))->Invoke(Get(u"item", {Int32ByRef(count)}));
    app.Invoke(Get(u"sheets"))->Invoke(Get(u"add", {Missing(), Object(*last)}));
    if (!name.empty()) app.Invoke(Get(u"activesheet"))->Invoke(Put(u"name", TextByRef(name)));
    return 1;
  });
}

void SelectAllCells(const Value& app) {
  app.Invoke(Get(u"Cells"))->Invoke(Method(u"Select"));
}

void FormatSelectionAsText(const Value& app) {
  app.Invoke(Get(u"Selection"))->Invoke(Put(u"NumberFormatLocal", Text(u"@")));
}

void SelectCell(const Value& app, int32_t row, int32_t column) {
  FailureIgnored([&] {
    app.Invoke(Get(u"cells", {Int32ByRef(row), Int32ByRef(column)}))->Invoke(Method(u"select"));
  });
}

void PasteUnicodeText(const Value& app) {
  app.Invoke(Get(u"ActiveSheet"))
      ->Invoke(Get(u"PasteSpecial", {Text(u"Unicode テキスト"), Bool(false), Bool(false)}));
  app.Invoke(Get(u"Application"))->Invoke(Put(u"CutCopyMode", Bool(false)));
}

int32_t SelectSheetByIndex(const Value& app, int32_t index) {
  return FailureAsMinusOne([&] {
    return app.Invoke(Get(u"sheets"))
        ->Invoke(Get(u"item", {Int32ByRef(index)}))
        ->Invoke(Get(u"select"))
        ->ToInt32();
  });
}

}  // namespace sheets
