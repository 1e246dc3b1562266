#include "sheets/excel.h"

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

MemberCall PasteSpecialAs(std::u16string format) {
  return Get(u"PasteSpecial", {Text(std::move(format)), Bool(false), Bool(false)});
}

constexpr int kAttachAttempts = 10;
constexpr uint32_t kAttachPauseMs = 1000;

}  // namespace

Excel::Excel(ExcelServices services, std::unique_ptr<const Value> detached)
    : services_(std::move(services)),
      detached_(std::move(detached)),
      busy_(
          std::make_unique<BusyRetry>(BusyServices{.now = services_.now, .wait = services_.wait})) {
}

int32_t Excel::Connect(const std::function<bool()>& given_up) {
  held_.reset();
  alerts_left_off_ = false;
  busy_->StartRun(given_up);
  for (int attempt = 0; attempt < kAttachAttempts && !held_; ++attempt) {
    services_.wait(kAttachPauseMs);
    if (given_up()) break;
    try {
      held_ = RetriedWhenBusy(services_.attach(), *busy_);
    } catch (const std::exception&) {
    }
  }
  if (!held_) return -1;
  SetScreenUpdating(1);
  return 1;
}

void Excel::Release() {
  // Once more, at the end of the run: left off, the user's Excel would close unsaved workbooks
  // without asking.
  if (alerts_left_off_) FailureIgnored([&] { App().Invoke(Put(u"DisplayAlerts", Bool(true))); });
  alerts_left_off_ = false;
  held_.reset();
  busy_->EndRun();
}

void Excel::SetScreenUpdating(int32_t on) {
  FailureIgnored([&] { App().Invoke(Put(u"ScreenUpdating", Bool(on != 0))); });
}

int32_t Excel::SelectSheetByName(const std::u16string& name) {
  return FailureAsMinusOne([&] {
    App().Invoke(Get(u"sheets", {TextByRef(name)}))->Invoke(Method(u"select"));
    return 0;
  });
}

int32_t Excel::DeleteSelectedSheets() {
  return FailureAsMinusOne([&] {
    App().Invoke(Put(u"DisplayAlerts", Bool(false)));
    const int32_t deleted = FailureAsMinusOne([&] {
      App().Invoke(Get(u"ActiveWindow"))->Invoke(Get(u"SelectedSheets"))->Invoke(Method(u"Delete"));
      return 1;
    });
    // Also after a failed delete: the application keeps the setting once we are gone, and alerts
    // left off would silence the user's own later work in it.
    try {
      App().Invoke(Put(u"DisplayAlerts", Bool(true)));
      alerts_left_off_ = false;
    } catch (const std::exception&) {
      alerts_left_off_ = true;
      throw;
    }
    return deleted;
  });
}

SheetAdded Excel::AddSheetAfterLast(const std::u16string& name) {
  bool add_refused = false;
  const int32_t result = FailureAsMinusOne([&] {
    const int32_t count = App().Invoke(Get(u"sheets"))->Invoke(Get(u"count"))->ToInt32();
    const auto last = App().Invoke(Get(u"sheets"))->Invoke(Get(u"item", {Int32ByRef(count)}));
    const auto sheets = App().Invoke(Get(u"sheets"));
    // The workbook has answered: a failure from here on is the add's own (a protected structure).
    add_refused = true;
    sheets->Invoke(Get(u"add", {Missing(), Object(*last)}));
    add_refused = false;
    if (!name.empty()) App().Invoke(Get(u"activesheet"))->Invoke(Put(u"name", TextByRef(name)));
    return 1;
  });
  return {result, add_refused};
}

void Excel::SelectAllCells() {
  App().Invoke(Get(u"Cells"))->Invoke(Method(u"Select"));
}

void Excel::FormatSelectionAsText() {
  App().Invoke(Get(u"Selection"))->Invoke(Put(u"NumberFormatLocal", Text(u"@")));
}

void Excel::SelectCell(int32_t row, int32_t column) {
  FailureIgnored([&] {
    App().Invoke(Get(u"cells", {Int32ByRef(row), Int32ByRef(column)}))->Invoke(Method(u"select"));
  });
}

void Excel::PasteUnicodeText() {
  const auto sheet = App().Invoke(Get(u"ActiveSheet"));
  try {
    sheet->Invoke(PasteSpecialAs(u"Unicode テキスト"));
  } catch (const Refused&) {
    // The format's name is the one of the application's display language: an English Excel on a
    // Japanese system knows only this one. A busy application is not refusing the name.
    sheet->Invoke(PasteSpecialAs(u"Unicode Text"));
  }
  App().Invoke(Get(u"Application"))->Invoke(Put(u"CutCopyMode", Bool(false)));
}

int32_t Excel::SelectSheetByIndex(int32_t index) {
  return FailureAsMinusOne([&] {
    return App()
        .Invoke(Get(u"sheets"))
        ->Invoke(Get(u"item", {Int32ByRef(index)}))
        ->Invoke(Get(u"select"))
        ->ToInt32();
  });
}

}  // namespace sheets
