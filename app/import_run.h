#pragma once
// The import run: the whole job of the tool, one feed archive into one workbook. It drives the
// other subsystems in a fixed order and is the only part that talks to the user.
#include "app/import_window.h"
#include "desktop/desktop_steps.h"
#include "feed/feed_steps.h"
#include "sheets/spreadsheet.h"

struct ImportParts {
  ImportWindow& window;
  FeedSteps& feed;
  sheets::Connection& excel;
  sheets::Operations& sheets;
  DesktopSteps& desktop;
};

// Every path out of it leaves the button enabled; a failure that no step expects is shown once.
void ImportRun(const ImportParts& parts);
