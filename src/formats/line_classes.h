#pragma once
// The character classes of the first 43 bytes of a data line - the columns
// every reading of a data line looks at - found for all bytes at once, so
// that the usual line is checked and read with a few mask tests instead of a
// test per byte and field. Bit i of a mask stands for byte i.
#include <cstdint>

#include "formats/data_line_layout.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define DORVAX_LINE_CLASSES_SSE2 1
#endif

namespace dorvax {

constexpr unsigned kClassifiedBytes = data_line::kLastColumn;

struct LineClasses {
  uint64_t digit = 0;  // '0' to '9'
  uint64_t blank = 0;  // ' '
  uint64_t minus = 0;  // '-'
};

namespace detail {

constexpr uint64_t Bit(unsigned i) { return uint64_t{1} << i; }

// One byte at a time; the reference the vector version is tested against,
// and the classification on processors without it.
inline bool ClassifyPrefixBytewise(const char* p, LineClasses& c) {
  c.digit = c.blank = c.minus = 0;
  for (unsigned i = 0; i < kClassifiedBytes; ++i) {
    const auto byte = static_cast<unsigned char>(p[i]);
    if (byte & 0x80u) return false;
    if (byte - unsigned{'0'} < 10) c.digit |= Bit(i);
    if (byte == ' ') c.blank |= Bit(i);
    if (byte == '-') c.minus |= Bit(i);
  }
  return true;
}

#ifdef DORVAX_LINE_CLASSES_SSE2
// The vector code loads 16 bytes three times: bytes 0-15, 16-31 and the
// last sixteen classified bytes, from kThirdLoad, so that no byte past them
// is touched. The first kThirdLoadOverlap bytes of the third load are held
// by the second already and count once.
constexpr unsigned kThirdLoad = kClassifiedBytes - 16;
static_assert(kClassifiedBytes > 32 && kClassifiedBytes <= 48);
constexpr unsigned kThirdLoadOverlap = 32 - kThirdLoad;

inline bool ClassifyPrefixSse2(const char* p, LineClasses& c) {
  const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + kThirdLoad));
  if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v0, v1), v2)) != 0) return false;  // a byte above 0x7F

  const __m128i zero = _mm_set1_epi8('0');
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i ten = _mm_set1_epi8(static_cast<char>(0x80 + 10));
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i minus = _mm_set1_epi8('-');
  auto join = [](int m0, int m1, int m2) {
    return static_cast<uint64_t>(static_cast<unsigned>(m0)) | static_cast<uint64_t>(static_cast<unsigned>(m1)) << 16 |
           static_cast<uint64_t>(static_cast<unsigned>(m2) >> kThirdLoadOverlap) << 32;
  };
  // A digit is a byte whose distance from '0' is below 10, compared signed
  // after moving the range 0..255 to -128..127.
  auto digits = [&](__m128i v) {
    return _mm_movemask_epi8(_mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, zero), bias), ten));
  };
  c.digit = join(digits(v0), digits(v1), digits(v2));
  c.blank = join(_mm_movemask_epi8(_mm_cmpeq_epi8(v0, blank)), _mm_movemask_epi8(_mm_cmpeq_epi8(v1, blank)),
                 _mm_movemask_epi8(_mm_cmpeq_epi8(v2, blank)));
  c.minus = join(_mm_movemask_epi8(_mm_cmpeq_epi8(v0, minus)), _mm_movemask_epi8(_mm_cmpeq_epi8(v1, minus)),
                 _mm_movemask_epi8(_mm_cmpeq_epi8(v2, minus)));
  return true;
}
#endif

}  // namespace detail

// Only the digits of bytes 0 to 42, for a caller that needs no other class.
inline bool ClassifyDigits(const char* p, uint64_t& digits) {
#ifdef DORVAX_LINE_CLASSES_SSE2
  const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + detail::kThirdLoad));
  if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v0, v1), v2)) != 0) return false;
  const __m128i zero = _mm_set1_epi8('0');
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i ten = _mm_set1_epi8(static_cast<char>(0x80 + 10));
  auto mask = [&](__m128i v) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, zero), bias), ten)));
  };
  digits = uint64_t{mask(v0)} | uint64_t{mask(v1)} << 16 | uint64_t{mask(v2) >> detail::kThirdLoadOverlap} << 32;
  return true;
#else
  LineClasses c;
  if (!detail::ClassifyPrefixBytewise(p, c)) return false;
  digits = c.digit;
  return true;
#endif
}

// Classifies bytes 0 to 42 of `p`, which must hold at least 43 bytes. False
// when one of them is not ASCII (the columns are then no longer bytes).
inline bool ClassifyPrefix(const char* p, LineClasses& c) {
#ifdef DORVAX_LINE_CLASSES_SSE2
  return detail::ClassifyPrefixSse2(p, c);
#else
  return detail::ClassifyPrefixBytewise(p, c);
#endif
}

}  // namespace dorvax
