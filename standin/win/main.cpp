// The stand-in spreadsheet application: one workbook behind "Excel.Application" in the
// running-object table and a window that shows it, for the tool's tests to drive.
#include <windows.h>
// after windows.h
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "base/error.h"
#include "base/win/com.h"
#include "base/win/local_memory.h"
#include "base/win/wide.h"
#include "standin/core/options.h"
#include "standin/win/busy_filter.h"
#include "standin/win/objects.h"
#include "standin/win/registration.h"
#include "standin/win/standin_window.h"

namespace {

constexpr int kLateRegistrationFailed = 1;
constexpr int kStartFailed = 2;

std::vector<std::u16string> CommandLineArguments() {
  int count = 0;
  const UniqueLocalMemory<wchar_t*> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::u16string> result;
  for (int i = 1; i < count; ++i) result.push_back(FromWide(arguments.get()[i]));
  return result;
}

int Run() {
  const StandinOptions options = ParseOptions(CommandLineArguments());
  const ComApartment apartment;
  if (FAILED(apartment.result())) throw Error(u"COM cannot be initialised");
  StandinState state;
  if (!options.log_path.empty()) state.log = CallLog(std::filesystem::path(options.log_path));
  if (options.workbook) state.workbook.emplace(MakeWorkbook(options));
  state.busy = BusyPeriod(options.busy);
  const BusyFilterRegistration busy_filter(state);
  StandinWindow window(state, options.dump_path);
  const auto application = ComPtr<IDispatch>::Adopt(NewApplication(state));

  std::optional<ActiveObjectRegistration> registration;
  const auto register_now = [&] {
    RegisterProgId();
    registration.emplace(application.get());
    if (!options.ready_path.empty()) CreateReadyFile(options.ready_path);
  };
  if (options.register_delay_ms == 0) {
    register_now();
  } else {
    window.RunLater(options.register_delay_ms, [&] {
      try {
        register_now();
      } catch (const Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        PostQuitMessage(kLateRegistrationFailed);
      }
    });
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  registration.reset();
  CoDisconnectObject(application.get(), 0);
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return Run();
  } catch (const Error& error) {
    std::fprintf(stderr, "excel_standin: %s\n", error.what());
    return kStartFailed;
  }
}
