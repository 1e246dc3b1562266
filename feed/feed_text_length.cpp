#include "feed/feed_text_length.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Byte counters that gain at most one per block hold 255 blocks.
constexpr std::size_t kBlocksPerSum = 255;

std::uint64_t SumBytes(__m128i counters) {
  const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
  return static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
}
#endif

}  // namespace

void FeedTextLength::Add(const unsigned char* in, std::size_t size) {
  const unsigned char* p = in;
  const unsigned char* const end = in + size;
#if defined(__SSE2__)
  // Every byte is one unit, less one for a continuation byte or the LF of a CR LF, plus one for
  // a four-byte lead (a surrogate pair), a CR or a lone LF (both become CR LF).
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  const __m128i first_non_continuation = _mm_set1_epi8(static_cast<char>(0xC0));
  const __m128i four_byte_lead = _mm_set1_epi8(static_cast<char>(0xF0));
  __m128i cr_before = _mm_cvtsi32_si128(after_cr_ ? 0xFF : 0);  // in byte 0 for the next block
  while (end - p >= 16) {
    const std::size_t blocks = std::min(kBlocksPerSum, static_cast<std::size_t>(end - p) / 16);
    __m128i more = _mm_setzero_si128(), less = _mm_setzero_si128();
    for (std::size_t k = 0; k < blocks; ++k, p += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i crs = _mm_cmpeq_epi8(bytes, cr), lfs = _mm_cmpeq_epi8(bytes, lf);
      const __m128i after_crs = _mm_or_si128(_mm_slli_si128(crs, 1), cr_before);
      cr_before = _mm_srli_si128(crs, 15);
      // Signed, 80 to BF are the only bytes below C0.
      const __m128i continuations = _mm_cmplt_epi8(bytes, first_non_continuation);
      const __m128i four_byte_leads = _mm_cmpeq_epi8(_mm_max_epu8(bytes, four_byte_lead), bytes);
      more = _mm_sub_epi8(
          more, _mm_or_si128(_mm_or_si128(four_byte_leads, crs), _mm_andnot_si128(after_crs, lfs)));
      less = _mm_sub_epi8(less, _mm_or_si128(continuations, _mm_and_si128(after_crs, lfs)));
    }
    units_ += 16 * blocks - SumBytes(less) + SumBytes(more);
  }
  if (p != in) after_cr_ = p[-1] == '\r';
#endif
  for (; p < end; ++p) {
    const unsigned char byte = *p;
    if (byte == '\n')
      units_ += after_cr_ ? 0 : 2;
    else if (byte < 0x80 || byte >= 0xC0)
      units_ += byte == '\r' || byte >= 0xF0 ? 2 : 1;
    after_cr_ = byte == '\r';
  }
}
