#pragma once
// The stand-in's top-level window: it shows the active sheet and the sheet tabs, records the key
// messages it receives, activates the sheet whose tab is clicked, and writes the dump when asked
// (WM_APP + 1) and when closed, which ends the message loop; WM_APP + 2 writes only the sheets'
// names and row counts, beside the dump.
#include <windows.h>

#include <functional>
#include <string>

#include "base/win/window_base.h"
#include "standin/win/standin_state.h"

inline constexpr UINT kWriteDumpMessage = WM_APP + 1;
inline constexpr UINT kWriteSummaryMessage = WM_APP + 2;

class StandinWindow final : public WindowBase {
 public:
  // Creates the shown window and records it in state. Throws Error when it cannot.
  StandinWindow(StandinState& state, std::u16string dump_path);
  ~StandinWindow();

  // Runs action once, delay_ms from now, on the window's thread.
  void RunLater(UINT delay_ms, std::function<void()> action);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnUncaughtFailure(const std::exception& failure) override;
  // A click on a sheet's tab makes it the active sheet, as a person's does.
  void ClickTab(POINT point);

  StandinState& state_;
  std::u16string dump_path_;
  std::function<void()> later_;
};
