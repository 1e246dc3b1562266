#pragma once
// The working folder beside the executable: where it lies, how it is emptied, filled and listed.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The executable's path up to and including its last backslash.
std::u16string ExeFolder();
std::u16string WorkingFolder();  // ExeFolder() + u"GTFS_TEMP"

// Deletes the folder and all it holds, for good and without any user interface, on behalf of
// the owner window (the application window). -1 when refused (11 characters or fewer), else
// the shell's result (0 on success), or 1 when the request could not be made.
int32_t DeleteWorkingFolder(HWND owner, const std::u16string& folder);

// Creates the folder and its parents, then unpacks the archive into it. Throws Error.
void ExtractFeedArchive(const std::u16string& archive_path, const std::u16string& folder);

// The long names of the plain files directly in the folder (hidden, system and folders left
// out), in the order of the platform's sorted list: case-insensitive, in the user's locale.
std::vector<std::u16string> ListFeedFiles(const std::u16string& folder);
