#include "feed/feed_text_decoder.h"

#include "base/error.h"
#include "base/strict_utf8.h"
#include "feed/feed_failure_texts.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

[[noreturn]] void ThrowInvalidText() {
  throw Error(kNoUnicodeMapping);
}

#if defined(__SSE2__)
// Widens the plain ASCII run at p (no CR, LF or byte >= 0x80) into o, 16 bytes at a time.
// Stores 16 units even when the run ends inside the block; the caller leaves room for that.
inline void CopyAsciiRun(const unsigned char*& p, const unsigned char* end, char16_t*& o) {
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
  while (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
    const unsigned special = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(bytes, breaks)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8), _mm_unpackhi_epi8(bytes, zero));
    if (special == 0) {
      p += 16, o += 16;
      continue;
    }
    const int run = __builtin_ctz(special);
    p += run, o += run;
    return;
  }
}
#else
inline void CopyAsciiRun(const unsigned char*&, const unsigned char*, char16_t*&) {}
#endif

}  // namespace

std::size_t FeedTextDecoder::Decode(const unsigned char* in, std::size_t size, char16_t* out) {
  const unsigned char* p = in;
  const unsigned char* const end = in + size;
  char16_t* o = out;
  if (skip_lf_ && p < end && *p == '\n') ++p;
  skip_lf_ = false;
  while (p < end) {
    CopyAsciiRun(p, end, o);
    if (p == end) break;
    const unsigned char byte = *p;
    if (byte == '\r' || byte == '\n') {
      *o++ = u'\r', *o++ = u'\n';
      ++p;
      if (byte == '\r') {
        if (p == end)
          skip_lf_ = true;
        else if (*p == '\n')
          ++p;
      }
    } else if (byte < 0x80) {
      *o++ = byte;
      ++p;
    } else {
      do {  // non-ASCII text comes in runs
        std::size_t length, units;
        switch (DecodeUtf8Sequence(p, end, length, o, units)) {
          case Utf8Sequence::kValid:
            p += length, o += units;
            break;
          case Utf8Sequence::kTruncated:
            pending_ = static_cast<std::size_t>(end - p);
            return static_cast<std::size_t>(o - out);
          case Utf8Sequence::kInvalid:
            ThrowInvalidText();
        }
      } while (p < end && *p >= 0x80);
    }
  }
  pending_ = 0;
  return static_cast<std::size_t>(o - out);
}

void FeedTextDecoder::Finish() const {
  if (pending_ != 0) ThrowInvalidText();
}
