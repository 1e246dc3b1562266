#pragma once
// The feed's steps on the file system and clipboard of this platform.
#include <windows.h>

#include "feed/feed_steps.h"

class WindowsFeedSteps final : public FeedSteps {
 public:
  // The application window owns the clipboard's text and the shell's delete.
  explicit WindowsFeedSteps(HWND application_window) : application_window_(application_window) {}

  std::u16string WorkingFolder() override;
  void DeleteWorkingFolder(const std::u16string& folder) override;
  void ExtractFeedArchive(const std::u16string& archive, const std::u16string& folder) override;
  std::vector<std::u16string> ListFeedFiles(const std::u16string& folder) override;
  std::u16string ConvertFeedFile(const std::u16string& folder, const FeedFileNames& names) override;
  bool PutTabTextOnClipboard(const std::u16string& tab_text) override;

 private:
  HWND application_window_;
};
