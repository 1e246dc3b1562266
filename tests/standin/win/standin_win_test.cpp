#include <gtest/gtest.h>

#include <thread>

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
class TextValue {
 public:
  explicit TextValue(const wchar_t* text) : text_(SysAllocString(text)) {}
  TextValue(const TextValue&) = delete;
  TextValue& operator=(const TextValue&) = delete;
  ~TextValue() { SysFreeString(text_); }
  BSTR* address() { return &text_; }
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};
VARIANT Text(const TextValue& text) {
  VARIANT v = Of(VT_BSTR);
  v.bstrVal = text.get();
  return v;
}
VARIANT TextByReference(TextValue& text) {
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
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

class StandinWinTest : public testing::Test {
  ComApartment apartment_;
};

// The tool's calls for one file that replaces the existing sheet "stops".
void MakeTheToolsCalls(IDispatch* app) {
  Put(app, L"ScreenUpdating", Bool(true));
  TextValue name(L"STOPS");
  Method(Get(app, L"sheets", {TextByReference(name)}).get(), L"select");
  Put(app, L"DisplayAlerts", Bool(false));
  Method(Get(Get(app, L"ActiveWindow").get(), L"SelectedSheets").get(), L"Delete");
  Put(app, L"DisplayAlerts", Bool(true));

  CallResult count;
  Call(Get(app, L"sheets").get(), L"count", kGet, {}, count);
  ASSERT_EQ(count.value->vt, VT_I4);
  LONG last_position = count.value->lVal;
  const auto last = Get(Get(app, L"sheets").get(), L"item", {IntByReference(last_position)});
  CallResult added;
  Call(Get(app, L"sheets").get(), L"add", kGet, {Missing(), Object(last)}, added);
  EXPECT_EQ(added.status, S_OK);
  TextValue stops(L"stops");
  Put(Get(app, L"activesheet").get(), L"name", TextByReference(stops));

  Method(Get(app, L"Cells").get(), L"Select");
  TextValue text_format(L"@");
  Put(Get(app, L"Selection").get(), L"NumberFormatLocal", Text(text_format));
  LONG one = 1;
  Method(Get(app, L"cells", {IntByReference(one), IntByReference(one)}).get(), L"select");
  PutOnClipboard(L"001\tx\r\ny\t2\r\n");
  TextValue unicode_text(L"Unicode テキスト");
  Method(Get(app, L"ActiveSheet").get(), L"PasteSpecial",
         {Text(unicode_text), Bool(false), Bool(false)});
  Put(Get(app, L"Application").get(), L"CutCopyMode", Bool(false));
}

// Calls the tool never makes wrongly but a careless caller would.
void MakeRefusedCalls(IDispatch* app) {
  CallResult refused;
  TextValue missing(L"trips");
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
    "Invoke Window.SelectedSheets flags=3 args= named=0\n",
    "Invoke Sheets.Delete flags=1 args= named=0\n",
    "GetIDsOfNames item\nInvoke Sheets.Item flags=3 args=4003 named=0\n",
    "GetIDsOfNames add\nInvoke Sheets.Add flags=3 args=000a,0009 named=0\n",
    "GetIDsOfNames name\nInvoke Worksheet.Name flags=4 args=4008 named=1\nTexts \"stops\"\n",
    "Invoke Range.NumberFormatLocal flags=4 args=0008 named=1\nTexts \"@\"\n",
    "Invoke Application.Cells flags=3 args=4003,4003 named=0\n",
    "Invoke Worksheet.PasteSpecial flags=1 args=0008,000b,000b named=0\nTexts \"Unicode "
    "テキスト\"\n",
    "Invoke Application.CutCopyMode flags=4 args=000b named=1\n",
    "Invoke Application.Sheets flags=3 args=4008 named=0\nTexts \"trips\"\n"
    "Error インデックスが有効範囲にありません。\n",
    "Invoke Worksheet.Select flags=2 args= named=0\nError DISP_E_MEMBERNOTFOUND\n",
    "GetIDsOfNames NoSuchMember\n",
};

TEST_F(StandinWinTest, ServesTheToolsCallsAndLogsAndDumpsThem) {
  StandinProcess standin({L"--sheets", L"Sheet1,stops"});
  ASSERT_TRUE(standin.WaitUntilReady(20s));
  {
    const auto app = AttachToRunningApplication();
    ASSERT_TRUE(app);
    MakeTheToolsCalls(app.get());
    MakeRefusedCalls(app.get());
  }
  const HWND window = standin.Window();
  SetWindowPos(window, nullptr, 20, 20, 800, 600, SWP_NOZORDER);
  SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);

  EXPECT_EQ(standin.Dump(),
            "{\"workbook\":true,\"active\":\"stops\",\"screenUpdating\":true,"
            "\"displayAlerts\":true,\"cutCopyMode\":false,\"sheets\":["
            "{\"name\":\"Sheet1\",\"selected\":false,\"formats\":[],\"cells\":[]},"
            "{\"name\":\"stops\",\"selected\":true,\"formats\":[{\"range\":\"all\",\"format\":"
            "\"@\"}],\"cells\":[[\"001\",\"x\"],[\"y\",\"2\"]]}],"
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

std::int64_t ClientReferences(const std::string& dump) {
  const std::string key = "\"clientReferences\":";
  const auto at = dump.rfind(key);
  return at == std::string::npos ? -1 : std::stoll(dump.substr(at + key.size()));
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
