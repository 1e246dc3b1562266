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

constexpr int kAttachAttempts = 10;
constexpr uint32_t kAttachPauseMs = 1000;

}  // namespace

Excel::Excel(AttachServices services, std::unique_ptr<const Value> detached)
    : services_(std::move(services)), detached_(std::move(detached)) {}

int32_t Excel::Connect(const std::function<bool()>& given_up) {
  held_.reset();
  for (int attempt = 0; attempt < kAttachAttempts && !held_; ++attempt) {
    services_.wait(kAttachPauseMs);
    if (given_up()) break;
    try {
      held_ = services_.attach();
    } catch (const std::exception&) {
    }
  }
  if (!held_) return -1;
  SetScreenUpdating(1);
  return 1;
}

void Excel::Release() {
  held_.reset();
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
    App().Invoke(Put(u"DisplayAlerts", Bool(true)));
    return deleted;
  });
}

int32_t Excel::AddSheetAfterLast(const std::u16string& name) {
  return FailureAsMinusOne([&] {
    const int32_t count = App().Invoke(Get(u"sheets"))->Invoke(Get(u"count"))->ToInt32();
    const auto last = App().Invoke(Get(u"sheets"))->Invoke(Get(u"item", {Int32ByRef(count)}));
    App().Invoke(Get(u"sheets"))->Invoke(Get(u"add", {Missing(), Object(*last)}));
    if (!name.empty()) App().Invoke(Get(u"activesheet"))->Invoke(Put(u"name", TextByRef(name)));
    return 1;
  });
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
  App()
      .Invoke(Get(u"ActiveSheet"))
      ->Invoke(Get(u"PasteSpecial", {Text(u"Unicode テキスト"), Bool(false), Bool(false)}));
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
