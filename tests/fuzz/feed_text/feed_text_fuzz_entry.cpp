#include "tests/fuzz/feed_text/feed_text_fuzz_entry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "base/error.h"
#include "feed/feed_text.h"
#include "feed/feed_text_length.h"
#include "tests/feed/memory_streams.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "feed text differs from its reference: %s\n", what);
  std::abort();
}

void AppendUtf16(char32_t c, std::u16string& out) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD7C0 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
}

// One code point at a time, by the textbook: length from the lead byte's high bits, then the
// value checked against the least value of that length, the surrogates and U+10FFFF.
bool PlainFeedText(std::string_view bytes, std::u16string& out) {
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  bool after_cr = false;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra;
    char32_t c;
    if (lead < 0x80) {
      extra = 0, c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07;
    } else {
      return false;
    }
    if (bytes.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const unsigned next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < kLeast[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    i += extra + 1;
    const bool lf_of_cr_lf = after_cr && c == U'\n';
    after_cr = c == U'\r';
    if (lf_of_cr_lf) continue;
    if (c == U'\r' || c == U'\n')
      out += u"\r\n";
    else
      AppendUtf16(c, out);
  }
  return true;
}

// Any units, a lone surrogate as U+FFFD.
std::string PlainUtf8(std::u16string_view units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c & 0x3FF) << 10) + (units[++i] & 0x3FF);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned kLeadBits[] = {0x00, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLeadBits[extra] | (c >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
}

std::string Copy(std::u16string_view text) {
  MemorySink sink;
  WriteUtf8WithBom(text, sink);
  return sink.written;
}

// The count that sizes the text, over the bytes after the BOM in two parts split at `split`.
void CheckLength(std::string_view bytes, std::size_t split, std::size_t units) {
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  split = std::min(split, bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  FeedTextLength length;
  length.Add(p, split);
  length.Add(p + split, bytes.size() - split);
  if (length.units() != units) Fail("length");
}

void CheckTabText(const std::u16string& text) {
  std::u16string expected = text;
  for (char16_t& unit : expected)
    if (unit == u',') unit = u'\t';
  if (MakeTabText(text) != expected) Fail("tab text");
}

}  // namespace

void FuzzFeedText(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  // Pieces of 3 to 66 bytes reach every seam the decoder has; reads of 1, 2, 7 or all bytes.
  const std::size_t piece = 3 + (data[0] & 0x3F);
  static constexpr std::size_t kSteps[] = {1, 2, 7, SIZE_MAX};
  const std::size_t step = kSteps[data[0] >> 6];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  std::u16string expected;
  const bool valid = PlainFeedText(bytes, expected);
  std::u16string text;
  bool loaded = true;
  MemorySource source(bytes, step);
  try {
    text = ReadFeedText(source, bytes.size(), piece);
  } catch (const Error&) {
    loaded = false;
  }
  if (loaded != valid) Fail(valid ? "valid bytes refused" : "invalid bytes loaded");
  if (valid) {
    if (text != expected) Fail("text");
    CheckLength(bytes, piece, expected.size());
    if (Copy(text) != std::string(kBom) + PlainUtf8(expected)) Fail("copy");
    CheckTabText(text);
  }

  // The same bytes as units, unpaired surrogates and all, for the encoder and the tab text.
  std::u16string units(bytes.size() / 2, u'\0');
  std::memcpy(units.data(), bytes.data(), units.size() * 2);
  if (Copy(units) != std::string(kBom) + PlainUtf8(units)) Fail("copy of any units");
  CheckTabText(units);
}
