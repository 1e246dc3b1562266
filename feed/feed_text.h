#pragma once
// The feed text T, its tab text and its copy, streamed so that a file of hundreds of megabytes
// costs little more memory than T itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes; 0 only at the end.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // The next Read starts again at the first byte.
  virtual void Rewind() = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const char* bytes, std::size_t size) = 0;
};

// T: the bytes after an optional leading EF BB BF, decoded as strict UTF-8, every line break as
// CR LF. The source is read twice, first to count T's units so that T's capacity is its length:
// the tab text keeps that memory through the clipboard copy. size is the source's length in
// bytes, to refuse a source too long for any text before reading it. piece is the count of
// bytes read at a time, at least 3 so that the first piece holds a whole BOM; tests make it
// small to reach its seams. Throws Error.
std::u16string ReadFeedText(ByteSource& source, std::uint64_t size, std::size_t piece = 256 * 1024);

// Every "," becomes one TAB; the length stays.
std::u16string MakeTabText(std::u16string text);

// EF BB BF, then the text as UTF-8.
void WriteUtf8WithBom(std::u16string_view text, ByteSink& sink);
