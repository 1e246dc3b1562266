#pragma once
// What the import run asks of the feed: the working folder emptied and filled from the archive,
// its files listed, each one converted and its tab text handed to the clipboard.
#include <string>
#include <vector>

#include "feed/feed_names.h"

class FeedSteps {
 public:
  virtual ~FeedSteps() = default;
  virtual std::u16string WorkingFolder() = 0;
  virtual void DeleteWorkingFolder(const std::u16string& folder) = 0;
  virtual void ExtractFeedArchive(const std::u16string& archive, const std::u16string& folder) = 0;
  virtual std::vector<std::u16string> ListFeedFiles(const std::u16string& folder) = 0;
  virtual std::u16string ConvertFeedFile(const std::u16string& folder,
                                         const FeedFileNames& names) = 0;
  // False when the clipboard stayed busy and still holds what it held.
  virtual bool PutTabTextOnClipboard(const std::u16string& tab_text) = 0;
};
