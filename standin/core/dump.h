#pragma once
// The JSON picture of the stand-in's state that tests compare after a run; a hidden sheet says so,
// a visible one says nothing of it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standin/core/workbook.h"

struct ApplicationSettings {
  bool screen_updating = true;
  bool display_alerts = true;
  bool cut_copy_mode = false;
};

enum class KeyMessage { kDown, kUp, kSysDown, kSysUp };

struct KeyEvent {
  KeyMessage message;
  std::uint32_t virtual_key;
};

struct WindowRect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// UTF-8 JSON; workbook is empty when none is open.
std::string DumpJson(const Workbook* workbook, const ApplicationSettings& settings,
                     const std::vector<KeyEvent>& keys, const WindowRect& window,
                     std::int64_t client_references);
// Where a sheet's tab lies on the screen, for a client to click it as a person would.
struct SheetTab {
  SheetId sheet;
  WindowRect box;
};

// The sheets' names and row counts only, and the tabs of the visible ones: quick however many
// cells they hold.
std::string SummaryJson(const Workbook* workbook, const std::vector<SheetTab>& tabs = {});
