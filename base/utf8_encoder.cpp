#include "base/utf8_encoder.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Narrows the run of units below U+0080 at p into o, 16 at a time; may store up to 16 bytes
// beyond the run.
inline void CopyAsciiRun(const char16_t*& p, const char16_t* end, char*& o) {
  const __m128i high_bits = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  while (end - p >= 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_packus_epi16(a, b));
    // Two mask bits per unit; the lowest clear one marks the first unit at or above U+0080.
    const unsigned plain_a = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(a, high_bits), zero)));
    const unsigned plain_b = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(b, high_bits), zero)));
    const unsigned plain = plain_a | (plain_b << 16);
    if (plain == 0xFFFFFFFFu) {
      p += 16, o += 16;
      continue;
    }
    const int run = __builtin_ctz(~plain) / 2;
    p += run, o += run;
    return;
  }
}
#else
inline void CopyAsciiRun(const char16_t*&, const char16_t*, char*&) {}
#endif

// The character at p, one unit or a surrogate pair.
inline void EncodeCharacter(const char16_t*& p, const char16_t* end, char*& o) {
  char32_t c = *p++;
  if (IsHighSurrogate(static_cast<char16_t>(c)) && p < end && IsLowSurrogate(*p)) {
    c = 0x10000 + ((c - 0xD800) << 10) + (*p++ - 0xDC00);
  } else if (c >= 0xD800 && c <= 0xDFFF) {
    c = 0xFFFD;
  }
  if (c < 0x80) {
    *o++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *o++ = static_cast<char>(0xC0 | (c >> 6));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *o++ = static_cast<char>(0xE0 | (c >> 12));
    *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *o++ = static_cast<char>(0xF0 | (c >> 18));
    *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::size_t EncodeUtf8(std::u16string_view units, char* out) {
  const char16_t* p = units.data();
  const char16_t* const end = p + units.size();
  char* o = out;
  while (p < end) {
    CopyAsciiRun(p, end, o);
    if (p == end) break;
    do {  // non-ASCII text comes in runs
      EncodeCharacter(p, end, o);
    } while (p < end && *p >= 0x80);
  }
  return static_cast<std::size_t>(o - out);
}
