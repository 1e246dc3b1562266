// Start-up: COM on this thread, the application window, the subsystems the import run drives,
// the visual style, the main window and the message loop.
#include <objbase.h>
#include <windows.h>

#include <exception>

#include "app/import_run.h"
#include "app/win/application.h"
#include "app/win/frm_main_form.h"
#include "app/win/style_resources.h"
#include "base/win/com.h"
#include "desktop/win/windows_desktop_steps.h"
#include "feed/win/windows_feed_steps.h"
#include "feed/zip/ZipEX.h"
#include "sheets/win/excel_controle.h"

namespace {

int RunMessageLoop(HWND main_window) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab moves between the check boxes; Enter and Space reach no click handler.
    if (IsDialogMessageW(main_window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int Run(HINSTANCE instance, int show_command) {
  const ComApartment apartment;
  RegisterStandardCompressionHandlers();
  const UniqueWindow application_window = CreateApplicationWindow(instance);
  // After the apartment: the one reference to the spreadsheet application goes before COM does.
  sheets::Excel excel = RunningExcel();
  WindowsFeedSteps feed(application_window.get());
  WindowsDesktopSteps desktop(application_window.get());
  const auto run_import = [&](ImportWindow& window) {
    ImportRun({window, feed, excel, excel, desktop});
  };
  Tfrm_main frm_main(instance, LoadApplicationStyle(instance, u"Aqua Light Slate"), run_import);
  frm_main.Show(show_command);
  return RunMessageLoop(frm_main.Handle());
}

constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 LoadConfiguration() {
  IMAGE_LOAD_CONFIG_DIRECTORY64 configuration{};
  configuration.Size = sizeof configuration;
  configuration.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
  return configuration;
}

}  // namespace

// The loader searches only System32 for what the static imports pull in; cmake/ points the
// image's load-configuration entry here, which ld does not do. Older headers name the field
// DependentLoadFlags Reserved1.
extern "C" const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used = LoadConfiguration();

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  // Before anything else loads a library by name (the file dialog, the shell's delete): never
  // from the executable's folder, where a download may sit among other programs' files.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  try {
    return Run(instance, show_command);
  } catch (const std::exception& failure) {  // a start-up that failed, told once
    ReportUncaughtFailure(failure);
    return 1;
  }
}
