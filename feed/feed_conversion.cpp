#include "feed/feed_conversion.h"

void WriteCsvCopy(std::u16string_view text, CopySink& copy) {
  WriteUtf8WithBom(text, copy);
  copy.Close();
}

std::u16string ConvertFeedFile(FeedFolderFiles& files, const std::u16string& folder,
                               const FeedFileNames& names) {
  const std::u16string feed_path = folder + u"\\" + names.list;
  std::u16string text = files.LoadFeedText(feed_path);
  WriteCsvCopy(text, *files.CreateCopy(folder + u"\\" + names.copy));
  // T is not needed once the copy is written: the tab text takes its place.
  std::u16string tab_text = MakeTabText(std::move(text));
  if (!files.NameTheSameFile(names.list, names.copy)) files.DeleteFeedFile(feed_path);
  return tab_text;
}
