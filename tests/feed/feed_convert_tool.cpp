// Converts one feed file as the import run does, for the benchmark and the corpus check:
//   feed_convert FEED COPY [TAB_TEXT_UTF16LE]
// Prints the text's length in UTF-16 units.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "base/error.h"
#include "feed/feed_text.h"

namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {
    if (fd_ < 0) throw std::runtime_error("cannot open");
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { close(fd_); }
  int get() const { return fd_; }

 private:
  int fd_;
};

class FdSource : public ByteSource {
 public:
  explicit FdSource(const char* path) : fd_(open(path, O_RDONLY)) {}
  std::uint64_t size() const {
    struct stat info {};
    fstat(fd_.get(), &info);
    return static_cast<std::uint64_t>(info.st_size);
  }
  std::size_t Read(char* buffer, std::size_t size) override {
    const ssize_t got = read(fd_.get(), buffer, size);
    if (got < 0) throw std::runtime_error("read failed");
    return static_cast<std::size_t>(got);
  }
  void Rewind() override {
    if (lseek(fd_.get(), 0, SEEK_SET) != 0) throw std::runtime_error("seek failed");
  }

 private:
  Fd fd_;
};

class FdSink : public ByteSink {
 public:
  explicit FdSink(const char* path) : fd_(open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
  void Write(const char* bytes, std::size_t size) override {
    while (size > 0) {
      const ssize_t put = write(fd_.get(), bytes, size);
      if (put <= 0) throw std::runtime_error("write failed");
      bytes += put, size -= static_cast<std::size_t>(put);
    }
  }

 private:
  Fd fd_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fputs("usage: feed_convert FEED COPY [TAB_TEXT_UTF16LE]\n", stderr);
    return 2;
  }
  try {
    FdSource source(argv[1]);
    std::u16string text = ReadFeedText(source, source.size());
    {
      FdSink copy(argv[2]);
      WriteUtf8WithBom(text, copy);
    }
    const std::u16string tab_text = MakeTabText(std::move(text));
    if (argc == 4) {
      FdSink tab(argv[3]);
      tab.Write(reinterpret_cast<const char*>(tab_text.data()), tab_text.size() * 2);
    }
    std::printf("%zu units\n", tab_text.size());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "feed_convert: %s\n", e.what());
    return 1;
  }
}
