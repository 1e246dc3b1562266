// zip_extract_bench ARCHIVE FOLDER: extracts the archive as the tool does, on this system.
#include <cstdio>

#include "base/error.h"
#include "base/utf.h"
#include "feed/zip/ZipEX.h"
#include "feed/zip/posix/posix_zip_file_system.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ARCHIVE FOLDER\n", argv[0]);
    return 2;
  }
  RegisterStandardCompressionHandlers();
  PosixZipFileSystem files;
  try {
    TZipFile::ExtractZipFile(Utf8ToUtf16(argv[1]), Utf8ToUtf16(argv[2]), files);
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
