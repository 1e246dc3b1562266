#include <zlib.h>

#include "base/error.h"
#include "base/utf.h"
#include "feed/zip/compression_table.h"

namespace {

constexpr TZipCompression kStored = 0;
constexpr TZipCompression kDeflated = 8;
// Negative for raw deflate, without the zlib wrapper; 15, the largest window any stream may use.
constexpr int kRawDeflateWindowBits = -15;

// Stored: the archive's bytes as they are, up to the end of the file.
class StoredStream : public TEntryStream {
 public:
  explicit StoredStream(ArchiveStream& archive) : archive_(archive) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    return archive_.Read(buffer, count);
  }

 private:
  ArchiveStream& archive_;
};

[[noreturn]] void ThrowZlibError(int code) {
  throw Error(Utf8ToUtf16(zError(code)));
}

// Deflated: raw inflate fed straight from the archive's buffer.
class InflateStream : public TEntryStream {
 public:
  explicit InflateStream(ArchiveStream& archive) : archive_(archive) {
    const int code = inflateInit2(&z_, kRawDeflateWindowBits);
    if (code != Z_OK) ThrowZlibError(code);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
  ~InflateStream() override { inflateEnd(&z_); }

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    z_.next_out = buffer;
    z_.avail_out = static_cast<uInt>(count);
    while (z_.avail_out > 0 && !finished_) {
      const auto input = archive_.Peek();
      if (input.empty()) break;  // the archive ends inside the entry
      z_.next_in = const_cast<Bytef*>(input.data());
      z_.avail_in = static_cast<uInt>(input.size());
      const int code = inflate(&z_, Z_NO_FLUSH);
      archive_.Skip(input.size() - z_.avail_in);
      if (code == Z_STREAM_END) {
        finished_ = true;
      } else if (code != Z_OK) {
        ThrowZlibError(code);
      }
    }
    return count - z_.avail_out;
  }

 private:
  ArchiveStream& archive_;
  z_stream z_{};
  bool finished_ = false;
};

template <typename Stream>
std::unique_ptr<TEntryStream> Make(ArchiveStream& archive) {
  return std::make_unique<Stream>(archive);
}

}  // namespace

void RegisterStandardCompressionHandlers() {
  RegisterCompressionHandler(kStored, Make<StoredStream>);
  RegisterCompressionHandler(kDeflated, Make<InflateStream>);
}
