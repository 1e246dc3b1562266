#pragma once
// A fresh folder under the temporary folder for one test, removed with all it holds afterwards,
// and a hidden top-level window for the shell and clipboard calls, as the application's is.
#include <windows.h>

#include <string>

#include "base/win/unique_window.h"

class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();
  const std::u16string& path() const { return path_; }
  std::u16string operator/(const std::u16string& name) const { return path_ + u"\\" + name; }

 private:
  std::u16string path_;
};

void WriteFileBytes(const std::u16string& path, const std::string& bytes);
std::string ReadFileBytes(const std::u16string& path);
bool FileExists(const std::u16string& path);

UniqueWindow HiddenTestWindow();
