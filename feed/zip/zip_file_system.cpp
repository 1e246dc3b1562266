#include "feed/zip/zip_file_system.h"

#include "base/error.h"

std::u16string ArchiveOpenFailureText(const std::u16string& path, const std::u16string& reason) {
  return FormatText(u"ファイル %s は開けません。 %s ", {path, reason});
}

std::u16string FileCreateFailureText(const std::u16string& path, const std::u16string& reason) {
  return FormatText(u"ファイル \"%s\" を作成できません。%s", {path, reason});
}

std::vector<std::u16string> FolderChain(const std::u16string& path) {
  std::vector<std::u16string> chain;
  for (auto slash = path.find(u'\\', 1); slash != std::u16string::npos;
       slash = path.find(u'\\', slash + 1)) {
    chain.push_back(path.substr(0, slash));
  }
  chain.push_back(path);
  return chain;
}
