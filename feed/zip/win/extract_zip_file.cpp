#include "feed/zip/ZipEX.h"
#include "feed/zip/win/windows_zip_file_system.h"

void TZipFile::ExtractZipFile(const std::u16string& zip_path, const std::u16string& folder) {
  WindowsZipFileSystem files;
  ExtractZipFile(zip_path, folder, files);
}
