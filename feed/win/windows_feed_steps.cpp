#include "feed/win/windows_feed_steps.h"

#include "feed/win/clipboard.h"
#include "feed/win/feed_conversion.h"
#include "feed/win/working_folder.h"

std::u16string WindowsFeedSteps::WorkingFolder() {
  return ::WorkingFolder();
}
void WindowsFeedSteps::DeleteWorkingFolder(const std::u16string& folder) {
  ::DeleteWorkingFolder(application_window_, folder);
}
void WindowsFeedSteps::ExtractFeedArchive(const std::u16string& archive,
                                          const std::u16string& folder) {
  ::ExtractFeedArchive(archive, folder);
}
std::vector<std::u16string> WindowsFeedSteps::ListFeedFiles(const std::u16string& folder) {
  return ::ListFeedFiles(folder);
}
std::u16string WindowsFeedSteps::ConvertFeedFile(const std::u16string& folder,
                                                 const FeedFileNames& names) {
  return ::ConvertFeedFile(folder, names);
}
bool WindowsFeedSteps::PutTabTextOnClipboard(const std::u16string& tab_text) {
  return ::PutTabTextOnClipboard(application_window_, tab_text);
}
