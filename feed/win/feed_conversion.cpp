#include "feed/win/feed_conversion.h"

#include <windows.h>

#include "base/win/wide.h"
#include "feed/feed_names.h"
#include "feed/feed_text.h"
#include "feed/win/feed_files.h"

namespace {

// Windows file names ignore case.
bool NameTheSameFile(const std::u16string& a, const std::u16string& b) {
  return CompareStringOrdinal(AsWide(a), -1, AsWide(b), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

std::u16string LoadFeedText(const std::u16string& path) {
  FeedFileSource source(path);
  return ReadFeedText(source, source.size());
}

void WriteCsvCopy(const std::u16string& path, const std::u16string& text) {
  CopyFileSink sink(path);
  WriteUtf8WithBom(text, sink);
}

std::u16string ConvertFeedFile(const std::u16string& folder, const std::u16string& list_name) {
  const FeedFileNames names = FeedFileNamesOf(list_name);
  const std::u16string feed_path = folder + u"\\" + list_name;
  std::u16string text = LoadFeedText(feed_path);
  WriteCsvCopy(folder + u"\\" + names.copy, text);
  // T is not needed once the copy is written: the tab text takes its place.
  std::u16string tab_text = MakeTabText(std::move(text));
  if (!NameTheSameFile(list_name, names.copy)) DeleteFileW(AsWide(feed_path));
  return tab_text;
}
