#include "feed/win/feed_conversion.h"

#include <windows.h>

#include "base/win/wide.h"
#include "feed/feed_conversion.h"
#include "feed/win/feed_files.h"

namespace {

class WindowsFeedFolderFiles : public FeedFolderFiles {
 public:
  std::u16string LoadFeedText(const std::u16string& path) override { return ::LoadFeedText(path); }
  std::unique_ptr<CopySink> CreateCopy(const std::u16string& path) override {
    return std::make_unique<CopyFileSink>(path);
  }
  // Windows file names ignore case.
  bool NameTheSameFile(const std::u16string& a, const std::u16string& b) override {
    return CompareStringOrdinal(AsWide(a), -1, AsWide(b), -1, TRUE) == CSTR_EQUAL;
  }
  void DeleteFeedFile(const std::u16string& path) override { DeleteFileW(AsWide(path)); }
};

}  // namespace

std::u16string LoadFeedText(const std::u16string& path) {
  FeedFileSource source(path);
  return ReadFeedText(source, source.size());
}

std::u16string ConvertFeedFile(const std::u16string& folder, const FeedFileNames& names) {
  WindowsFeedFolderFiles files;
  return ConvertFeedFile(files, folder, names);
}
