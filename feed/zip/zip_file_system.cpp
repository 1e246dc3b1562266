#include "feed/zip/zip_file_system.h"

#include <vector>

namespace {

// Windows refuses a folder path of this length or more from a program without long-path
// awareness (MAX_PATH less room for an 8.3 name). Wine would go on for thousands of levels,
// each slower than the last, so the limit is kept here for both.
constexpr std::size_t kFolderPathLimit = 248;

}  // namespace

void CreateFolders(ZipFileSystem& files, std::u16string_view path) {
  std::vector<std::size_t> ends;  // of the folders below the limit, shallowest first
  for (auto slash = path.find(u'\\', 1); slash < kFolderPathLimit;
       slash = path.find(u'\\', slash + 1)) {
    ends.push_back(slash);
  }
  if (path.size() < kFolderPathLimit) ends.push_back(path.size());
  if (ends.empty()) return;
  const auto folder = [path](std::size_t end) { return std::u16string(path.substr(0, end)); };
  // Mostly an earlier entry has made the deepest one already.
  if (files.CreateFolder(folder(ends.back()))) return;
  for (const auto end : ends) files.CreateFolder(folder(end));
}
