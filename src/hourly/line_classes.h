#pragma once
// The character classes of the first 43 bytes of a data line - the columns
// every reading of a data line looks at - found for all bytes at once, so
// that the usual line is checked and read with a few mask tests instead of a
// test per byte and field. Bit i of a mask stands for byte i.
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define DORVAX_LINE_CLASSES_SSE2 1
#endif

namespace dorvax {

constexpr unsigned kClassifiedBytes = 43;

struct LineClasses {
  uint64_t digit = 0;  // '0' to '9'
  uint64_t blank = 0;  // ' '
  uint64_t minus = 0;  // '-'
};

// The number fields of a data line read from their digits alone, every
// other byte (a blank, a minus) counting 0: the values of the usual line
// once the shape of each field and its sign are known. Byte positions are
// columns - 1.
struct FieldDigits {
  int day = 0;   // bytes 0-1
  int hour = 0;  // bytes 3-4
  int a = 0;     // bytes 8-10
  int b1 = 0;    // bytes 14-15
  int b2 = 0;    // bytes 19-20
  int c = 0;     // bytes 24-26 and 28, in tenths
  int d = 0;     // bytes 32 and 34, in tenths
  int e = 0;     // bytes 38-40
};

namespace detail {

constexpr uint64_t Bit(unsigned i) { return uint64_t{1} << i; }

// One byte at a time; the reference the vector version is tested against,
// and the road of processors without it.
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

// One digit at a time; the reference of the vector version, and the road
// of processors without it. `digits` is the digit mask of the bytes.
inline FieldDigits ReadFieldDigitsBytewise(const char* p, uint64_t digits) {
  auto at = [&](unsigned i) { return (p[i] & 15) & -static_cast<int>(digits >> i & 1); };
  FieldDigits f;
  f.day = at(0) * 10 + at(1);
  f.hour = at(3) * 10 + at(4);
  f.a = at(8) * 100 + at(9) * 10 + at(10);
  f.b1 = at(14) * 10 + at(15);
  f.b2 = at(19) * 10 + at(20);
  f.c = at(24) * 1000 + at(25) * 100 + at(26) * 10 + at(28);
  f.d = at(32) * 10 + at(34);
  f.e = at(38) * 100 + at(39) * 10 + at(40);
  return f;
}

#ifdef DORVAX_LINE_CLASSES_SSE2
// Three loads of 16 bytes: 0-15, 16-31 and 27-42 (overlapping, so that no
// byte past the 43rd is touched).
inline bool ClassifyPrefixSse2(const char* p, LineClasses& c) {
  const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 27));
  if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v0, v1), v2)) != 0) return false;  // a byte above 0x7F

  const __m128i zero = _mm_set1_epi8('0');
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i ten = _mm_set1_epi8(static_cast<char>(0x80 + 10));
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i minus = _mm_set1_epi8('-');
  // Bytes 27-31 come twice; the third vector gives bytes 32-42 as bits 5-15.
  auto join = [](int m0, int m1, int m2) {
    return static_cast<uint64_t>(static_cast<unsigned>(m0)) | static_cast<uint64_t>(static_cast<unsigned>(m1)) << 16 |
           static_cast<uint64_t>(static_cast<unsigned>(m2) >> 5) << 32;
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

// The digit values of the 16 bytes at `p`, 0 where a byte is no digit.
inline __m128i DigitValues(const char* p) {
  const __m128i v = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), _mm_set1_epi8('0'));
  const __m128i isDigit =
      _mm_cmplt_epi8(_mm_xor_si128(v, _mm_set1_epi8(static_cast<char>(0x80))), _mm_set1_epi8(static_cast<char>(0x80 + 10)));
  return _mm_and_si128(v, isDigit);
}

// The fields from the same three overlapping loads: the digit values are
// widened to 16 bits and multiplied by their place values, neighbouring
// bytes added in pairs (pmaddwd); a field over more than one pair is then
// the sum of neighbouring 32-bit lanes. Every sum is below 10000.
inline FieldDigits ReadFieldDigitsSse2(const char* p) {
  const __m128i z0 = DigitValues(p), z1 = DigitValues(p + 16), z2 = DigitValues(p + 27);
  const __m128i nil = _mm_setzero_si128();
  auto low = [&](__m128i z) { return _mm_unpacklo_epi8(z, nil); };
  auto high = [&](__m128i z) { return _mm_unpackhi_epi8(z, nil); };
  auto plusNext = [](__m128i lanes) { return _mm_add_epi32(lanes, _mm_srli_si128(lanes, 4)); };
  // Lanes: [day, 10*hour0, hour1, 0]
  const __m128i place = _mm_madd_epi16(low(z0), _mm_setr_epi16(10, 1, 0, 10, 1, 0, 0, 0));
  // Bytes 8-15: [100*a0 + 10*a1, a2, 0, B1]
  const __m128i ab1 = _mm_madd_epi16(high(z0), _mm_setr_epi16(100, 10, 1, 0, 0, 0, 10, 1));
  // Bytes 16-23: [0, 10*B2_0, B2_1, 0]
  const __m128i b2 = _mm_madd_epi16(low(z1), _mm_setr_epi16(0, 0, 0, 10, 1, 0, 0, 0));
  // Bytes 24-31: [1000*c0 + 100*c1, 10*c2, c3, 0]
  const __m128i c = _mm_madd_epi16(high(z1), _mm_setr_epi16(1000, 100, 10, 0, 1, 0, 0, 0));
  // Bytes 27-34: [0, 0, 10*d0, d1]
  const __m128i d = _mm_madd_epi16(low(z2), _mm_setr_epi16(0, 0, 0, 0, 0, 10, 0, 1));
  // Bytes 35-42: [0, 100*e0, 10*e1 + e2, 0]
  const __m128i e = _mm_madd_epi16(high(z2), _mm_setr_epi16(0, 0, 0, 100, 10, 1, 0, 0));
  FieldDigits f;
  f.day = _mm_cvtsi128_si32(place);
  f.hour = _mm_extract_epi16(plusNext(place), 2);
  f.a = _mm_cvtsi128_si32(plusNext(ab1));
  f.b1 = _mm_extract_epi16(ab1, 6);
  f.b2 = _mm_extract_epi16(plusNext(b2), 2);
  f.c = _mm_cvtsi128_si32(_mm_add_epi32(plusNext(c), _mm_srli_si128(c, 8)));
  f.d = _mm_extract_epi16(plusNext(d), 4);
  f.e = _mm_extract_epi16(plusNext(e), 2);
  return f;
}
#endif

}  // namespace detail

// Only the digits of bytes 0 to 42, for a caller that needs no other class.
inline bool ClassifyDigits(const char* p, uint64_t& digits) {
#ifdef DORVAX_LINE_CLASSES_SSE2
  const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 27));
  if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v0, v1), v2)) != 0) return false;
  const __m128i zero = _mm_set1_epi8('0');
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i ten = _mm_set1_epi8(static_cast<char>(0x80 + 10));
  auto mask = [&](__m128i v) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, zero), bias), ten)));
  };
  digits = uint64_t{mask(v0)} | uint64_t{mask(v1)} << 16 | uint64_t{mask(v2) >> 5} << 32;
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

// The fields of bytes 0 to 42 of `p`, which must hold at least 43 bytes;
// `digits` is their digit mask from ClassifyPrefix.
inline FieldDigits ReadFieldDigits(const char* p, [[maybe_unused]] uint64_t digits) {
#ifdef DORVAX_LINE_CLASSES_SSE2
  return detail::ReadFieldDigitsSse2(p);
#else
  return detail::ReadFieldDigitsBytewise(p, digits);
#endif
}

}  // namespace dorvax
