#pragma once
// The process-wide facts of the running application.
#include <windows.h>

#include <string>

// The application title, from the executable's name.
const std::u16string& ApplicationTitleText();

// Creates the hidden top-level application window captioned with the title and hands it to
// the shell services.
void CreateApplicationWindow(HINSTANCE instance);

// The one place that shows a failure no code caught: stop icon, the title as caption.
void ReportUncaughtFailure(const std::exception& failure);
