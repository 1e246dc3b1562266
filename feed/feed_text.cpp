#include "feed/feed_text.h"

#include <algorithm>
#include <memory>
#include <new>

#include "base/error.h"
#include "base/utf8_encoder.h"
#include "feed/feed_failure_texts.h"
#include "feed/feed_text_decoder.h"
#include "feed/feed_text_length.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Fills the buffer unless the source ends first.
std::size_t ReadFull(ByteSource& source, unsigned char* buffer, std::size_t size) {
  std::size_t total = 0;
  while (total < size) {
    const std::size_t got = source.Read(reinterpret_cast<char*>(buffer) + total, size - total);
    if (got == 0) break;
    total += got;
  }
  return total;
}

std::size_t BomLength(const unsigned char* bytes, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(bytes), size).starts_with(kBom)
             ? kBom.size()
             : 0;
}

std::uint64_t CountUnits(ByteSource& source, unsigned char* in, std::size_t piece) {
  FeedTextLength length;
  std::size_t filled = ReadFull(source, in, piece);
  const std::size_t start = BomLength(in, filled);
  length.Add(in + start, filled - start);
  while (filled == piece) {
    filled = ReadFull(source, in, piece);
    length.Add(in, filled);
  }
  return length.units();
}

std::u16string DecodeAll(ByteSource& source, std::uint64_t size, std::size_t piece) {
  std::u16string text;
  // Every byte gives at most two units (a bare LF becomes CR LF), so the reserve below cannot
  // ask for more than a string can hold.
  if (size > text.max_size() / 2) throw Error(kTextTooLong);

  constexpr std::size_t kMaxPending = 3;
  const auto in = std::make_unique_for_overwrite<unsigned char[]>(kMaxPending + piece);
  const auto out =
      std::make_unique_for_overwrite<char16_t[]>(FeedTextDecoder::OutputRoom(kMaxPending + piece));
  // Growing T as it is decoded would leave up to half its memory unused, and need old and new
  // memory at once; counting first costs a second read of the source.
  text.reserve(CountUnits(source, in.get(), piece));
  source.Rewind();

  FeedTextDecoder decoder;
  std::size_t filled = ReadFull(source, in.get(), piece);
  bool ended = filled < piece;
  std::size_t start = BomLength(in.get(), filled);
  for (;;) {
    text.append(out.get(), decoder.Decode(in.get() + start, filled - start, out.get()));
    if (ended) break;
    const std::size_t pending = decoder.pending();
    std::copy_n(in.get() + filled - pending, pending, in.get());
    const std::size_t got = ReadFull(source, in.get() + pending, piece);
    filled = pending + got;
    ended = got < piece;
    start = 0;
  }
  decoder.Finish();
  return text;
}

}  // namespace

std::u16string ReadFeedText(ByteSource& source, std::uint64_t size, std::size_t piece) {
  try {
    return DecodeAll(source, size, piece);
  } catch (const std::bad_alloc&) {
    throw Error(kTextTooLong);
  }
}

void WriteUtf8WithBom(std::u16string_view text, ByteSink& sink) {
  sink.Write(kBom.data(), kBom.size());
  constexpr std::size_t kBlock = 64 * 1024;
  const auto bytes =
      std::make_unique_for_overwrite<char[]>(Utf8Room(std::min(kBlock, text.size())));
  while (!text.empty()) {
    // A surrogate pair is never split between two blocks.
    std::size_t take = std::min(kBlock, text.size());
    if (take < text.size() && IsHighSurrogate(text[take - 1])) --take;
    sink.Write(bytes.get(), EncodeUtf8(text.substr(0, take), bytes.get()));
    text.remove_prefix(take);
  }
}
