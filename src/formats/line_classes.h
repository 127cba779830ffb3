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
// The classified bytes in three loads of 16: bytes 0-15, 16-31 and the last
// sixteen (overlapping the second, so that no byte past the classified ones
// is touched).
class SixteenByteLoads {
 public:
  static constexpr unsigned kThird = kClassifiedBytes - 16;
  static_assert(kClassifiedBytes > 32 && kClassifiedBytes <= 48);

  explicit SixteenByteLoads(const char* p)
      : v0_(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
        v1_(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16))),
        v2_(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + kThird))) {}

  // No byte above 0x7F.
  bool Ascii() const { return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v0_, v1_), v2_)) == 0; }

  // The bytes for which `test` gives 0xFF, one bit each; the bytes the
  // third load shares with the second count once.
  template <typename Test>
  uint64_t Mask(Test test) const {
    auto bits = [&](__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(test(v))); };
    return uint64_t{bits(v0_)} | uint64_t{bits(v1_)} << 16 | uint64_t{bits(v2_) >> (32 - kThird)} << 32;
  }

 private:
  __m128i v0_, v1_, v2_;
};

// A digit is a byte whose distance from '0' is below 10, compared signed
// after moving the range 0..255 to -128..127.
constexpr auto kDigitBytes = [](__m128i v) {
  return _mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, _mm_set1_epi8('0')), _mm_set1_epi8(static_cast<char>(0x80))),
                        _mm_set1_epi8(static_cast<char>(0x80 + 10)));
};

inline bool ClassifyPrefixSse2(const char* p, LineClasses& c) {
  const SixteenByteLoads bytes(p);
  if (!bytes.Ascii()) return false;
  c.digit = bytes.Mask(kDigitBytes);
  c.blank = bytes.Mask([](__m128i v) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')); });
  c.minus = bytes.Mask([](__m128i v) { return _mm_cmpeq_epi8(v, _mm_set1_epi8('-')); });
  return true;
}
#endif

}  // namespace detail

// Only the digits of bytes 0 to 42, for a caller that needs no other class.
inline bool ClassifyDigits(const char* p, uint64_t& digits) {
#ifdef DORVAX_LINE_CLASSES_SSE2
  const detail::SixteenByteLoads bytes(p);
  if (!bytes.Ascii()) return false;
  digits = bytes.Mask(detail::kDigitBytes);
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
