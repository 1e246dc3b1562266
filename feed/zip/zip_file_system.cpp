#include "feed/zip/zip_file_system.h"

std::vector<std::u16string> FolderChain(const std::u16string& path) {
  std::vector<std::u16string> chain;
  for (auto slash = path.find(u'\\', 1); slash != std::u16string::npos;
       slash = path.find(u'\\', slash + 1)) {
    chain.push_back(path.substr(0, slash));
  }
  chain.push_back(path);
  return chain;
}
