#include <gtest/gtest.h>

#include <thread>

#include "base/win/global_memory.h"
#include "base/win/opened_clipboard.h"
#include "standin_process.h"

namespace {

using namespace std::chrono_literals;

// Arguments borrow what they point at: the caller keeps it alive over the call.
VARIANT Of(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  return v;
}
VARIANT Bool(bool value) {
  VARIANT v = Of(VT_BOOL);
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}
VARIANT Text(const Bstr& text) {
  VARIANT v = Of(VT_BSTR);
  v.bstrVal = text.get();
  return v;
}
VARIANT TextByReference(Bstr& text) {
  VARIANT v = Of(VT_BSTR | VT_BYREF);
  v.pbstrVal = text.address();
  return v;
}
VARIANT IntByReference(LONG& value) {
  VARIANT v = Of(VT_I4 | VT_BYREF);
  v.plVal = &value;
  return v;
}
VARIANT Missing() {
  VARIANT v = Of(VT_ERROR);
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}
VARIANT Object(const ComPtr<IDispatch>& object) {
  VARIANT v = Of(VT_DISPATCH);
  v.pdispVal = object.get();
  return v;
}

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

void Put(IDispatch* object, const wchar_t* name, VARIANT value) {
  CallResult result;
  Call(object, name, DISPATCH_PROPERTYPUT, {value}, result);
  EXPECT_EQ(result.status, S_OK) << name;
}
void Method(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments = {}) {
  CallResult result;
  Call(object, name, DISPATCH_METHOD, std::move(arguments), result);
  EXPECT_EQ(result.status, S_OK) << name;
}

void PutOnClipboard(const std::wstring& text) {
  const OpenedClipboard clipboard(nullptr);
  ASSERT_TRUE(clipboard);
  ASSERT_TRUE(EmptyClipboard());
  UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  ASSERT_TRUE(block);
  {
    const LockedGlobalMemory data(block.get());
    ASSERT_TRUE(data.get());
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(data.get()));
  }
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, block.get()));
  block.release();  // the clipboard owns it now
}

class StandinWinTest : public testing::Test {
  ComApartment apartment_;
};

// One call of each kind of argument: texts by value and by reference, a number by reference, a
// missing argument and an object handed back; a paste takes the clipboard's text.
void MakeCallsOfEachKind(IDispatch* app) {
  Put(app, L"ScreenUpdating", Bool(false));
  Bstr stops(u"STOPS");
  Method(Get(app, L"sheets", {TextByReference(stops)}).get(), L"select");
  LONG first = 1;
  const auto sheet1 = Get(Get(app, L"Sheets").get(), L"Item", {IntByReference(first)});
  const auto added = Get(Get(app, L"Sheets").get(), L"Add", {Missing(), Object(sheet1)});
  ASSERT_TRUE(added);
  Bstr agency(u"agency");
  Put(added.get(), L"name", Text(agency));
  PutOnClipboard(L"001\tx\r\ny\t2\r\n");
  Bstr unicode_text(u"Unicode テキスト");
  Method(Get(app, L"ActiveSheet").get(), L"PasteSpecial",
         {Text(unicode_text), Bool(false), Bool(false)});
}

// Calls the tool never makes wrongly but a careless caller would.
void MakeRefusedCalls(IDispatch* app) {
  CallResult refused;
  Bstr missing(u"trips");
  Call(app, L"Sheets", kGet, {TextByReference(missing)}, refused);
  EXPECT_EQ(refused.status, DISP_E_EXCEPTION);
  EXPECT_EQ(refused.description, L"インデックスが有効範囲にありません。");
  Call(Get(app, L"ActiveSheet").get(), L"Select", DISPATCH_PROPERTYGET, {}, refused);
  EXPECT_EQ(refused.status, DISP_E_MEMBERNOTFOUND);
  Call(Get(app, L"Sheets").get(), L"Count", kGet, {Bool(true)}, refused);
  EXPECT_EQ(refused.status, DISP_E_BADPARAMCOUNT);
  Call(Get(app, L"Sheets").get(), L"Count", DISPATCH_PROPERTYPUT, {Bool(true)}, refused);
  EXPECT_EQ(refused.status, DISP_E_MEMBERNOTFOUND);
  Call(app, L"Cells", kGet, {Text(missing), Text(missing)}, refused);
  EXPECT_EQ(refused.status, DISP_E_TYPEMISMATCH);
  Call(app, L"NoSuchMember", kGet, {}, refused);
  EXPECT_EQ(refused.status, DISP_E_UNKNOWNNAME);

  // Add places new worksheets, one at least, beside a worksheet only; a refused one adds none.
  const auto range = Get(app, L"Cells");
  LONG none = 0;
  LONG chart = -4109;
  for (const std::vector<VARIANT>& arguments : {
           std::vector<VARIANT>{Missing(), Object(range)},
           std::vector<VARIANT>{Missing(), Missing(), IntByReference(none)},
           std::vector<VARIANT>{Missing(), Missing(), Missing(), IntByReference(chart)},
       }) {
    Call(Get(app, L"Sheets").get(), L"Add", kGet, arguments, refused);
    EXPECT_EQ(refused.status, DISP_E_EXCEPTION);
    EXPECT_EQ(refused.description, L"Sheets クラスの Add メソッドが失敗しました");
  }
}

// What the calls above leave in the log, in this order (other lines may stand between).
const char* const kLogInOrder[] = {
    "GetIDsOfNames ScreenUpdating\nInvoke Application.ScreenUpdating flags=4 args=000b "
    "named=1\n",
    "GetIDsOfNames sheets\nInvoke Application.Sheets flags=3 args=4008 named=0\nTexts \"STOPS\"\n",
    "GetIDsOfNames select\nInvoke Worksheet.Select flags=1 args= named=0\n",
    "GetIDsOfNames Item\nInvoke Sheets.Item flags=3 args=4003 named=0\n",
    "GetIDsOfNames Add\nInvoke Sheets.Add flags=3 args=000a,0009 named=0\n",
    "GetIDsOfNames name\nInvoke Worksheet.Name flags=4 args=0008 named=1\nTexts \"agency\"\n",
    "Invoke Worksheet.PasteSpecial flags=1 args=0008,000b,000b named=0\nTexts \"Unicode "
    "テキスト\"\n",
    "Invoke Application.Sheets flags=3 args=4008 named=0\nTexts \"trips\"\n"
    "Error インデックスが有効範囲にありません。\n",
    "Invoke Worksheet.Select flags=2 args= named=0\nError DISP_E_MEMBERNOTFOUND\n",
    "GetIDsOfNames NoSuchMember\n",
};

TEST_F(StandinWinTest, ConvertsArgumentsRefusesAsHresultsAndWritesItsLogAndDump) {
  StandinProcess standin({L"--sheets", L"Sheet1,stops"});
  ASSERT_TRUE(standin.WaitUntilReady(20s));
  {
    const auto app = AttachToRunningApplication();
    ASSERT_TRUE(app);
    MakeCallsOfEachKind(app.get());
    MakeRefusedCalls(app.get());
  }
  const HWND window = standin.Window();
  SetWindowPos(window, nullptr, 20, 20, 800, 600, SWP_NOZORDER);
  SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);

  EXPECT_EQ(standin.Dump(),
            "{\"workbook\":true,\"active\":\"agency\",\"screenUpdating\":false,"
            "\"displayAlerts\":true,\"cutCopyMode\":false,\"sheets\":["
            "{\"name\":\"Sheet1\",\"selected\":false,\"formats\":[],\"cells\":[]},"
            // Not formatted as text: "001" is read as a number.
            "{\"name\":\"agency\",\"selected\":true,\"formats\":[],"
            "\"cells\":[[\"1\",\"x\"],[\"y\",\"2\"]]},"
            "{\"name\":\"stops\",\"selected\":false,\"formats\":[],\"cells\":[]}],"
            "\"keys\":[{\"msg\":\"down\",\"vk\":27}],"
            "\"window\":{\"left\":20,\"top\":20,\"width\":800,\"height\":600},"
            "\"clientReferences\":0}\n");
  EXPECT_EQ(standin.Close(), 0);

  const std::string log = standin.Log();
  std::size_t at = 0;
  for (const char* line : kLogInOrder) {
    const auto found = log.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing, in order: " << line << "\nlog:\n" << log;
    at = found + 1;
  }
}

// Objects handed out, the application among them and the same one twice, count while the
// client holds them and not once it has let them go, whatever interfaces it asked for.
TEST_F(StandinWinTest, CountsTheReferencesItsClientHolds) {
  StandinProcess standin({});
  ASSERT_TRUE(standin.WaitUntilReady(20s));
  EXPECT_EQ(ClientReferences(standin.Dump()), 0);
  {
    const auto app = AttachToRunningApplication();
    ASSERT_TRUE(app);
    const std::int64_t application_only = ClientReferences(standin.Dump());
    EXPECT_GT(application_only, 0);
    {
      const auto sheets = Get(app.get(), L"Sheets");
      const auto itself = Get(app.get(), L"Application");
      LONG one = 1;
      const auto first = Get(sheets.get(), L"Item", {IntByReference(one)});
      EXPECT_GT(ClientReferences(standin.Dump()), application_only);
    }
    EXPECT_EQ(ClientReferences(standin.Dump()), application_only);
  }
  EXPECT_EQ(ClientReferences(standin.Dump()), 0);
  // Let go of by one client, the application stays registered for the next.
  const auto again = AttachToRunningApplication();
  ASSERT_TRUE(again);
  EXPECT_TRUE(Get(again.get(), L"Sheets"));
  EXPECT_GT(ClientReferences(standin.Dump()), 0);
  EXPECT_EQ(standin.Close(), 0);
}

TEST_F(StandinWinTest, WithoutAWorkbookMembersThatNeedOneRaise) {
  StandinProcess standin({L"--no-workbook"});
  ASSERT_TRUE(standin.WaitUntilReady(20s));
  {
    const auto app = AttachToRunningApplication();
    ASSERT_TRUE(app);
    for (const wchar_t* member :
         {L"Sheets", L"ActiveSheet", L"Cells", L"Selection", L"ActiveWindow"}) {
      CallResult result;
      Call(app.get(), member, kGet, {}, result);
      EXPECT_EQ(result.status, DISP_E_EXCEPTION) << member;
      EXPECT_FALSE(result.description.empty()) << member;
    }
    Put(app.get(), L"ScreenUpdating", Bool(false));
  }
  EXPECT_EQ(
      standin.Dump().rfind("{\"workbook\":false,\"active\":\"\",\"screenUpdating\":false,", 0), 0u);
  EXPECT_EQ(standin.Close(), 0);
}

// A busy application refuses every call of its period, in the form asked for, then serves again.
TEST_F(StandinWinTest, RefusesCallsWhileBusy) {
  const struct {
    const wchar_t* form;
    HRESULT status;
    SCODE scode;
    const char* logged;
  } cases[] = {
      {L"rejected", RPC_E_CALL_REJECTED, 0, "Busy Application.Invoke rejected at="},
      {L"retrylater", RPC_E_SERVERCALL_RETRYLATER, 0, "Busy retrylater at="},
      {L"ignore", DISP_E_EXCEPTION, static_cast<SCODE>(0x800AC472), "Busy ignore at="},
  };
  for (const auto& c : cases) {
    StandinProcess standin(
        {L"--busy-from", L"Sheets:1", L"--busy-for", L"2calls", L"--busy-form", c.form});
    ASSERT_TRUE(standin.WaitUntilReady(20s));
    {
      const auto app = AttachToRunningApplication();
      ASSERT_TRUE(app);
      CallResult result;
      Call(app.get(), L"ScreenUpdating", kGet, {}, result);
      EXPECT_EQ(result.status, S_OK) << c.form;  // not busy before the first Sheets
      Call(app.get(), L"Sheets", kGet, {}, result);
      EXPECT_EQ(result.status, c.status) << c.form;
      EXPECT_EQ(result.scode, c.scode) << c.form;
      Call(app.get(), L"Sheets", kGet, {}, result);
      EXPECT_NE(result.status, S_OK) << c.form;
      Call(app.get(), L"Sheets", kGet, {}, result);
      EXPECT_EQ(result.status, S_OK) << c.form;
    }
    EXPECT_EQ(standin.Close(), 0);
    EXPECT_NE(standin.Log().find(c.logged), std::string::npos) << c.form << standin.Log();
  }
}

TEST_F(StandinWinTest, RegistersOnlyAfterTheDelayAndThenSignalsReady) {
  const auto start = std::chrono::steady_clock::now();
  StandinProcess standin({L"--register-delay", L"6000"});
  while (!standin.Window() && std::chrono::steady_clock::now() - start < 20s) {
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(standin.Window());
  // The delay runs from the window's creation, which lies between `start` and now: only while
  // well under the delay can the test be sure the registration has not come yet.
  const bool early = std::chrono::steady_clock::now() - start < 5500ms;
  if (early) {
    EXPECT_FALSE(AttachToRunningApplication());
    EXPECT_FALSE(standin.IsReady());
  }
  ASSERT_TRUE(standin.WaitUntilReady(30s));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 6000ms);
  EXPECT_TRUE(AttachToRunningApplication());
  EXPECT_EQ(standin.Close(), 0);
  if (!early) GTEST_SKIP() << "the stand-in's window came too late to see it unregistered";
}

TEST_F(StandinWinTest, LeavesAnotherClassesProgIdAlone) {
  const wchar_t* const key = L"Excel.Application\\CLSID";
  const wchar_t foreign[] = L"{00024500-0000-0000-C000-000000000046}";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, foreign, sizeof foreign),
            ERROR_SUCCESS);
  StandinProcess standin({});
  EXPECT_EQ(standin.Close(), 2);
  EXPECT_FALSE(standin.IsReady());
  wchar_t now[40] = {};
  DWORD size = sizeof now;
  RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, now, &size);
  EXPECT_STREQ(now, foreign);
  RegDeleteKeyW(HKEY_CLASSES_ROOT, key);  // the next stand-in registers afresh
}

}  // namespace
