#pragma once
// The process-wide facts of the running application.
#include <windows.h>

#include <string>

#include "base/win/unique_window.h"

// The application title, from the executable's name.
const std::u16string& ApplicationTitleText();

// Creates the hidden top-level application window captioned with the title. Throws Error with
// the system's text when the system refuses its class or the window.
UniqueWindow CreateApplicationWindow(HINSTANCE instance);

// The one place that shows a failure no code caught: stop icon, the title as caption.
void ReportUncaughtFailure(const std::exception& failure);

// A failure the run expected and caught: the same box.
void ShowFailureBox(const std::u16string& text);
