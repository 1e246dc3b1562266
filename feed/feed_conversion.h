#pragma once
// One feed file of the working folder turned into its tab text and its ".csv" copy, over the
// folder's files.
#include <memory>
#include <string>
#include <string_view>

#include "feed/feed_names.h"
#include "feed/feed_text.h"

// The copy's file. Close throws kStreamWriteFailed: it can fail, as a write the system held
// back can, and the copy is then incomplete.
class CopySink : public ByteSink {
 public:
  virtual void Close() = 0;
};

class FeedFolderFiles {
 public:
  virtual ~FeedFolderFiles() = default;
  // T of the file. Throws Error.
  virtual std::u16string LoadFeedText(const std::u16string& path) = 0;
  // Created afresh, replacing a file of that name. Throws Error.
  virtual std::unique_ptr<CopySink> CreateCopy(const std::u16string& path) = 0;
  // Whether two names in one folder name the same file.
  virtual bool NameTheSameFile(const std::u16string& a, const std::u16string& b) = 0;
  // Its outcome is not looked at: a file that cannot be deleted stays.
  virtual void DeleteFeedFile(const std::u16string& path) = 0;
};

// EF BB BF and T as UTF-8, then the close: the copy is whole only once that succeeded.
void WriteCsvCopy(std::u16string_view text, CopySink& copy);

// Loads the listed file of the folder, writes and closes its copy N', and only then deletes the
// feed file unless it is the copy itself; returns the tab text. Throws Error; what was done
// stays done.
std::u16string ConvertFeedFile(FeedFolderFiles& files, const std::u16string& folder,
                               const FeedFileNames& names);
