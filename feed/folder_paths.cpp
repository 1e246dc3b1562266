#include "feed/folder_paths.h"

std::u16string FolderOfPath(std::u16string_view path) {
  const auto slash = path.rfind(u'\\');
  return std::u16string(slash == std::u16string_view::npos ? std::u16string_view()
                                                           : path.substr(0, slash + 1));
}

std::u16string_view TrimmedPath(std::u16string_view path) {
  while (!path.empty() && path.front() <= u' ') path.remove_prefix(1);
  while (!path.empty() && path.back() <= u' ') path.remove_suffix(1);
  return path;
}
