#include "feed/win/working_folder.h"

#include <windows.h>

#include <shlobj.h>

#include "base/win/wide.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/win/windows_zip_file_system.h"

void ExtractFeedArchive(const std::u16string& archive_path, const std::u16string& folder) {
  // A folder that cannot be made shows up as the failure to create the first file.
  SHCreateDirectoryExW(nullptr, AsWide(folder), nullptr);
  WindowsZipFileSystem files;
  TZipFile::ExtractZipFile(archive_path, folder, files);
}
