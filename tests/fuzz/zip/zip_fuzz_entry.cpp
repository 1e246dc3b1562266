#include "tests/fuzz/zip/zip_fuzz_entry.h"

#include "base/error.h"
#include "feed/zip/ZipEX.h"
#include "tests/fuzz/zip/memory_zip_file_system.h"

void FuzzZipArchive(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (RegisterStandardCompressionHandlers(), true);
  (void)registered;
  const std::u16string folder = u"C:\\feed\\GTFS_TEMP";
  MemoryZipFileSystem files(data, size, folder);
  try {
    TZipFile::ExtractZipFile(u"C:\\feed\\archive.zip", folder, files);
  } catch (const Error&) {
  }
}
