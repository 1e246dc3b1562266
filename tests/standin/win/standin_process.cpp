#include "standin_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::wstring StandinExecutable() {
  std::wstring path = L"Z:" STANDIN_EXE;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::filesystem::path FreshFolder() {
  static int made = 0;
  auto folder =
      std::filesystem::temp_directory_path() /
      ("standin_test_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++made));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

StandinProcess::StandinProcess(const std::vector<std::wstring>& options) : folder_(FreshFolder()) {
  std::wstring command = L"\"" + StandinExecutable() + L"\"";
  for (const auto& option : options) command += L" \"" + option + L"\"";
  for (const auto& [option, name] :
       {std::pair{L"--log", L"log.txt"}, {L"--dump", L"dump.json"}, {L"--ready", L"ready"}}) {
    command += std::wstring(L" ") + option + L" \"" + (folder_ / name).wstring() + L"\"";
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    ADD_FAILURE() << "cannot start the stand-in: " << GetLastError();
    return;
  }
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  process_id_ = started.dwProcessId;
}

StandinProcess::~StandinProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool StandinProcess::WaitUntilReady(std::chrono::milliseconds limit) const {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!IsReady()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

HWND StandinProcess::Window() const {
  struct Search {
    DWORD process_id;
    HWND found;
  } search{process_id_, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t class_name[16] = {};
        GetClassNameW(window, class_name, 16);
        if (owner != s.process_id || std::wstring(class_name) != L"XLMAIN") return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string StandinProcess::Dump() const {
  SendMessageW(Window(), WM_APP + 1, 0, 0);
  return ReadFile(folder_ / "dump.json");
}

std::string StandinProcess::Log() const {
  return ReadFile(folder_ / "log.txt");
}

int StandinProcess::Close() {
  PostMessageW(Window(), WM_CLOSE, 0, 0);
  DWORD code = 0;
  if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_.get(), &code)) {
    return -1;
  }
  return static_cast<int>(code);
}

ComPtr<IDispatch> AttachToRunningApplication() {
  CLSID clsid{};
  ComPtr<IUnknown> running;
  ComPtr<IDispatch> application;
  if (SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &clsid)) &&
      SUCCEEDED(GetActiveObject(clsid, nullptr, running.put()))) {
    running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(application.put()));
  }
  return application;
}

void Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments,
          CallResult& result) {
  result.value.clear();
  result.description.clear();
  result.scode = 0;
  DISPID id = DISPID_UNKNOWN;
  auto* names = const_cast<LPOLESTR>(name);
  result.status = object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result.status)) return;
  std::reverse(arguments.begin(), arguments.end());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{arguments.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr,
                    static_cast<UINT>(arguments.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  EXCEPINFO exception{};
  result.status =
      object->Invoke(id, IID_NULL, 0, flags, &params, result.value.get(), &exception, nullptr);
  const Bstr source = Bstr::Adopt(exception.bstrSource);
  const Bstr description = Bstr::Adopt(exception.bstrDescription);
  const Bstr help_file = Bstr::Adopt(exception.bstrHelpFile);
  if (description.get()) result.description = description.get();
  result.scode = exception.scode;
}

ComPtr<IDispatch> Get(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments) {
  CallResult result;
  Call(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(arguments), result);
  EXPECT_EQ(result.status, S_OK) << name;
  if (result.value->vt != VT_DISPATCH) return {};
  result.value->pdispVal->AddRef();
  return ComPtr<IDispatch>::Adopt(result.value->pdispVal);
}

std::int64_t ClientReferences(const std::string& dump) {
  const std::string key = "\"clientReferences\":";
  const auto at = dump.rfind(key);
  return at == std::string::npos ? -1 : std::stoll(dump.substr(at + key.size()));
}
