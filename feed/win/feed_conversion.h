#pragma once
// One feed file of the working folder turned into its tab text and its ".csv" copy, on Windows
// files.
#include <string>

#include "feed/feed_names.h"

// T of the file: strict UTF-8 after an optional byte-order mark, line breaks as CR LF.
std::u16string LoadFeedText(const std::u16string& path);

// Loads the listed file of the folder, writes and closes its copy N' and deletes the feed file
// unless it is the copy itself; returns the tab text. Throws Error; what was done stays done.
std::u16string ConvertFeedFile(const std::u16string& folder, const FeedFileNames& names);
