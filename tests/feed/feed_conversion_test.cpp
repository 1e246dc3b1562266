#include "feed/feed_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "base/utf.h"

namespace {

// The folder's files as a log of what the conversion asked, in order; the copy's write or its
// close can be made to fail.
class ScriptedFolder : public FeedFolderFiles {
 public:
  enum class Failure { kNone, kWrite, kClose };
  explicit ScriptedFolder(Failure failure) : failure_(failure) {}

  std::u16string LoadFeedText(const std::u16string& path) override {
    Log("load", path);
    return u"a,b\r\n";
  }
  std::unique_ptr<CopySink> CreateCopy(const std::u16string& path) override {
    Log("create", path);
    return std::make_unique<Sink>(*this);
  }
  bool NameTheSameFile(const std::u16string& a, const std::u16string& b) override {
    return Utf16ToUtf8(a) == Utf16ToUtf8(b);
  }
  void DeleteFeedFile(const std::u16string& path) override { Log("delete", path); }

  std::vector<std::string> log;
  std::string copy;

 private:
  class Sink : public CopySink {
   public:
    explicit Sink(ScriptedFolder& folder) : folder_(folder) {}
    void Write(const char* bytes, std::size_t size) override {
      if (folder_.failure_ == Failure::kWrite) throw Error(u"ストリームへの書き込みエラー");
      folder_.copy.append(bytes, size);
    }
    void Close() override {
      folder_.log.push_back("close");
      if (folder_.failure_ == Failure::kClose) throw Error(u"ストリームへの書き込みエラー");
    }

   private:
    ScriptedFolder& folder_;
  };

  void Log(const char* what, const std::u16string& path) {
    log.push_back(std::string(what) + " " + Utf16ToUtf8(path));
  }
  Failure failure_;
};

// The feed file goes only once its copy is written and closed; a copy that fails on the way, at
// its close too, leaves the feed file where it is.
TEST(FeedConversion, FeedFileGoesOnlyAfterItsCopyIsClosed) {
  using Failure = ScriptedFolder::Failure;
  const struct {
    const char* name;
    Failure failure;
    std::string message;  // "" when the conversion succeeds
    std::vector<std::string> log;
  } cases[] = {
      {"stops.txt",
       Failure::kNone,
       "",
       {"load W\\stops.txt", "create W\\stops.csv", "close", "delete W\\stops.txt"}},
      {"stops.csv", Failure::kNone, "", {"load W\\stops.csv", "create W\\stops.csv", "close"}},
      {"stops.txt",
       Failure::kClose,
       "ストリームへの書き込みエラー",
       {"load W\\stops.txt", "create W\\stops.csv", "close"}},
      {"stops.txt",
       Failure::kWrite,
       "ストリームへの書き込みエラー",
       {"load W\\stops.txt", "create W\\stops.csv"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " failing " + std::to_string(static_cast<int>(c.failure)));
    ScriptedFolder folder(c.failure);
    std::string message;
    try {
      EXPECT_EQ(ConvertFeedFile(folder, u"W", FeedFileNamesOf(Utf8ToUtf16(c.name))), u"a\tb\r\n");
    } catch (const Error& error) {
      message = error.what();
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(folder.log, c.log);
    if (c.failure == Failure::kNone) {
      EXPECT_EQ(folder.copy,
                "\xEF\xBB\xBF"
                "a,b\r\n");
    }
  }
}

}  // namespace
