#pragma once
// One feed file of the working folder turned into its tab text and its ".csv" copy, on Windows
// files.
#include <string>

// T of the file: strict UTF-8 after an optional byte-order mark, line breaks as CR LF.
std::u16string LoadFeedText(const std::u16string& path);

// Loads folder\list_name, writes and closes its copy folder\N' and deletes the feed file unless
// it is the copy itself; returns the tab text. Throws Error; what was done stays done.
std::u16string ConvertFeedFile(const std::u16string& folder, const std::u16string& list_name);
