#pragma once
// The spreadsheet application as this platform reaches it: found in the running-object table,
// with the tool's messages processed while it waits between the tries.
#include <cstdint>

#include "sheets/excel.h"

// The shell owns it inside the COM apartment's lifetime: the reference it may hold goes with it,
// and must go before COM does.
sheets::Excel RunningExcel();

void PumpedWait(uint32_t ms);
