#include "sheets/win/variant_value.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/error.h"
#include "sheets/excel.h"
#include "tests/sheets/win/recording_dispatch.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class VariantValueTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto& [member, result] : object.results) VariantClear(&result);
    // Every VARIANT, argument and temporary object of the calls has been let go.
    EXPECT_EQ(object.references, 1u);
  }
  void SetResult(const std::u16string& member, VARTYPE type, LONG number = 0) {
    VARIANT& result = object.results[member];
    VariantInit(&result);
    result.vt = type;
    if (type == VT_I4) result.lVal = number;
    if (type == VT_BSTR) result.bstrVal = SysAllocString(L"abc");
    if (type == VT_DISPATCH) {
      result.pdispVal = &object;
      object.AddRef();
    }
  }

  // The value holds a reference of its own, as a call's result would.
  VariantValue Holding() {
    object.AddRef();
    return VariantValue(ComPtr<IDispatch>::Adopt(&object));
  }

  // The sheet operations on the object, attached at once; the attach's own call is taken out
  // again.
  sheets::Excel Attached() {
    sheets::Excel excel(
        {.wait = [](uint32_t) {},
         .now = [] { return uint64_t{0}; },
         .attach =
             [this] {
               object.AddRef();
               return std::make_unique<VariantValue>(ComPtr<IDispatch>::Adopt(&object));
             }},
        std::make_unique<VariantValue>());
    excel.Connect([] { return false; });
    object.calls.clear();
    return excel;
  }

  void SetUp() override { ASSERT_HRESULT_SUCCEEDED(apartment.result()); }

  ComApartment apartment;
  RecordingDispatch object;
};

TEST_F(VariantValueTest, SendsNamesFlagsAndEachKindOfArgumentAsTheApplicationExpectsThem) {
  {
    const VariantValue app = Holding();
    using namespace sheets;
    const MemberCall calls[] = {
        Put(u"ScreenUpdating", Bool(true)),
        Put(u"DisplayAlerts", Bool(false)),
        Method(u"select"),
        Get(u"ActiveWindow"),
        Get(u"sheets", {TextByRef(u"停留所")}),
        Put(u"name", TextByRef(u"stops")),
        Put(u"NumberFormatLocal", Text(u"@")),
        Get(u"cells", {Int32ByRef(1), Int32ByRef(2)}),
        Get(u"add", {Missing(), Object(app)}),
        Get(u"PasteSpecial", {Text(u"Unicode テキスト"), Bool(false), Bool(true)}),
    };
    for (const MemberCall& call : calls) app.Invoke(call);
  }
  EXPECT_THAT(
      object.calls,
      ElementsAre("ScreenUpdating flags=4 args=000b:-1 named=-3",
                  "DisplayAlerts flags=4 args=000b:0 named=-3",
                  "select flags=1 args= named=", "ActiveWindow flags=3 args= named=",
                  "sheets flags=3 args=4008:停留所 named=", "name flags=4 args=4008:stops named=-3",
                  "NumberFormatLocal flags=4 args=0008:@ named=-3",
                  "cells flags=3 args=4003:1,4003:2 named=",
                  "add flags=3 args=000a:80020004,0009:self named=",
                  "PasteSpecial flags=3 args=0008:Unicode テキスト,000b:0,000b:-1 named="));
  EXPECT_THAT(object.lookup_locales, ElementsAreArray(std::vector<LCID>(10, GetThreadLocale())));
  EXPECT_THAT(object.call_locales, ElementsAreArray(std::vector<LCID>(10, 0u)));
}

TEST_F(VariantValueTest, RaisesTheApplicationsOwnDescription) {
  object.failing_member = u"NumberFormatLocal";
  object.failure_description = u"この範囲には書式を設定できません";
  sheets::Excel excel = Attached();
  try {
    excel.FormatSelectionAsText();
    ADD_FAILURE() << "nothing raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.text(), object.failure_description);
  }
  // Without a description the system's text for the code stands in.
  object.failure_description.clear();
  try {
    excel.FormatSelectionAsText();
    ADD_FAILURE() << "nothing raised";
  } catch (const Error& error) {
    EXPECT_FALSE(error.text().empty());
  }
}

TEST_F(VariantValueTest, AFailedNameLookupRaisesWithoutACall) {
  object.unknown_member = u"PasteSpecial";
  sheets::Excel excel = Attached();
  EXPECT_THROW(excel.PasteUnicodeText(), Error);
  EXPECT_THAT(object.calls, ElementsAre("ActiveSheet flags=3 args= named="));
}

enum class FailureKind { kBusy, kRefused, kOther };

FailureKind KindOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const sheets::Busy&) {
    return FailureKind::kBusy;
  } catch (const sheets::Refused&) {
    return FailureKind::kRefused;
  } catch (const Error&) {
    return FailureKind::kOther;
  }
  ADD_FAILURE() << "nothing raised";
  return FailureKind::kOther;
}

TEST_F(VariantValueTest, TellsABusyApplicationFromOneThatRefusesAndFromOtherFailures) {
  const struct {
    const char* failure;
    HRESULT result;
    SCODE code;
    bool deferred;
    FailureKind kind;
  } cases[] = {
      {"ignored, in the exception", DISP_E_EXCEPTION, static_cast<SCODE>(0x800AC472), false,
       FailureKind::kBusy},
      {"ignored, filled in late", DISP_E_EXCEPTION, static_cast<SCODE>(0x800AC472), true,
       FailureKind::kBusy},
      {"ignored, as the result", static_cast<HRESULT>(0x800AC472), 0, false, FailureKind::kBusy},
      {"rejected", static_cast<HRESULT>(0x80010001), 0, false, FailureKind::kBusy},
      {"retry later", static_cast<HRESULT>(0x8001010A), 0, false, FailureKind::kBusy},
      {"the application's own error", DISP_E_EXCEPTION, static_cast<SCODE>(0x800A03EC), false,
       FailureKind::kRefused},
      {"disconnected", RPC_E_DISCONNECTED, 0, false, FailureKind::kOther},
      {"failed", E_FAIL, 0, false, FailureKind::kOther},
  };
  const VariantValue app = Holding();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failure);
    object.failing_member = u"Cells";
    object.failure_result = c.result;
    object.failure_code = c.code;
    object.failure_code_deferred = c.deferred;
    EXPECT_EQ(KindOf([&] { app.Invoke(sheets::Get(u"Cells")); }), c.kind);
  }
}

TEST_F(VariantValueTest, ABusyApplicationTurnsTheNameLookupAwayToo) {
  const VariantValue app = Holding();
  object.unknown_member = u"Cells";
  object.lookup_failure = static_cast<HRESULT>(0x80010001);
  EXPECT_EQ(KindOf([&] { app.Invoke(sheets::Get(u"Cells")); }), FailureKind::kBusy);
  object.lookup_failure = DISP_E_UNKNOWNNAME;
  EXPECT_EQ(KindOf([&] { app.Invoke(sheets::Get(u"Cells")); }), FailureKind::kOther);
  EXPECT_THAT(object.calls, IsEmpty());
}

TEST_F(VariantValueTest, SelectResultConvertsToAnIntegerOrFails) {
  sheets::Excel excel = Attached();
  const struct {
    VARTYPE type;
    LONG number;
    int32_t expected;
  } cases[] = {{VT_EMPTY, 0, 0}, {VT_I4, 7, 7}, {VT_BSTR, 0, -1}, {VT_DISPATCH, 0, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    VariantClear(&object.results[u"select"]);
    SetResult(u"select", c.type, c.number);
    object.calls.clear();
    EXPECT_EQ(excel.SelectSheetByIndex(1), c.expected);
    EXPECT_EQ(object.calls.size(), 3u);  // an object is not asked for its value
  }
}

TEST_F(VariantValueTest, AnEmptyValueHoldsNoObjectToCall) {
  // Never attached: the operations reach only the empty value.
  sheets::Excel detached({}, std::make_unique<VariantValue>());
  EXPECT_EQ(detached.SelectSheetByName(u"stops"), -1);
  try {
    detached.SelectAllCells();
    ADD_FAILURE() << "nothing raised";
  } catch (const Error& error) {
    EXPECT_FALSE(error.text().empty());
  }
  EXPECT_THAT(object.calls, IsEmpty());
}

}  // namespace
