#pragma once
#include <string>

#include "standin/win/standin_state.h"

// Writes the dump beside the path and then moves it into place, so a reader never sees half of
// it. Does nothing without a path; a failure goes to standard error, as nobody else would see it.
void WriteDumpFile(const StandinState& state, const std::u16string& path);
// The same for the summary (sheet names and row counts).
void WriteSummaryFile(const StandinState& state, const std::u16string& path);
