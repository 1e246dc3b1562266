#include "feed/feed_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

std::u16string MakeTabText(std::u16string text) {
  char16_t* p = text.data();
  char16_t* const end = p + text.size();
#if defined(__SSE2__)
  // The compiler leaves the plain loop scalar; this is the pass over every unit of a large file.
  const __m128i comma = _mm_set1_epi16(u','), tab = _mm_set1_epi16(u'\t');
  for (; end - p >= 8; p += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i commas = _mm_cmpeq_epi16(units, comma);
    if (_mm_movemask_epi8(commas) == 0) continue;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                     _mm_or_si128(_mm_andnot_si128(commas, units), _mm_and_si128(commas, tab)));
  }
#endif
  for (; p < end; ++p) *p = *p == u',' ? u'\t' : *p;
  return text;
}
