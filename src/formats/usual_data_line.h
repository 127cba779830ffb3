#pragma once
// The no-raise reading of the usual data line, the fast road of day
// building, inline so that it becomes part of the loop over a file's lines.
// The bytes are classified all at once (formats/line_classes.h) and the
// fields are checked together by a few tests on those masks, accepting every
// field only in the shape it usually has - digits, or a right-aligned number
// - so that anything else makes the whole line go to the raising reading
// (formats/data_line.h), which then decides. Byte positions are columns - 1.
#include <cstdint>
#include <string_view>

#include "formats/data_line.h"
#include "formats/day_records.h"
#include "formats/line_classes.h"
#include "platform/compiler.h"

namespace dorvax {

namespace quiet {

using detail::Bit;

constexpr uint64_t Bits(unsigned first, unsigned last) { return (Bit(last) << 1) - Bit(first); }

// Flag bytes; the flag 9 marks the value before it as missing.
constexpr unsigned kFlagA = 12, kFlagB1 = 17, kFlagB2 = 22, kFlagC = 30, kFlagD = 36, kFlagE = 42;

// Digits every line needs: day and hour.
constexpr uint64_t kPlaceDigits = Bit(0) | Bit(1) | Bit(3) | Bit(4);
constexpr uint64_t kFlagDigitsAToD = Bit(kFlagA) | Bit(kFlagB1) | Bit(kFlagB2) | Bit(kFlagC) | Bit(kFlagD);
constexpr uint64_t kDigitsB = Bits(14, 15) | Bits(19, 20);
constexpr uint64_t kDigitsD = Bit(32) | Bit(34);

// A right-aligned value: the bytes read (C leaves out its decimal point at
// byte 27) and its last byte, which must be a digit.
struct RightAligned {
  uint64_t bytes;
  uint64_t last;
};
constexpr RightAligned kAlignedA{Bits(8, 10), Bit(10)};
constexpr RightAligned kAlignedC{Bits(24, 26) | Bit(28), Bit(28)};
constexpr RightAligned kAlignedE{Bits(38, 40), Bit(40)};

// The right-aligned values to check, each given by its bytes: blanks, then
// perhaps a minus, then digits to the last byte. Tested on all of them at once:
// every byte is a digit, a blank or a minus; the last byte is a digit; no
// digit is followed by anything else; a minus is followed by a digit (so it
// stands right before the first digit). Stricter than the number rule only
// for lines it leaves to the raising reading (a minus before C's decimal
// point).
inline bool RightAlignedShapes(const LineClasses& c, uint64_t bytes, uint64_t lasts) {
  const uint64_t other = bytes & ~(c.digit | c.blank | c.minus);
  const uint64_t digitThenOther = (c.digit << 1) & ~c.digit & bytes & (bytes << 1);  // within one value
  const uint64_t minusWithoutDigit = c.minus & bytes & ~(c.digit >> 1);
  return (other | digitThenOther | minusWithoutDigit) == 0 && (c.digit & lasts) == lasts;
}

// The value of the byte at `at`, a digit or, in a right-aligned value without
// a minus, a blank: the low four bits of '0' to '9' are their values, those
// of a blank 0.
inline int DigitAt(const char* p, unsigned at) { return p[at] & 15; }
// The same where the byte may also be a minus, which counts 0.
inline int DigitOrZeroAt(const char* p, uint64_t digits, unsigned at) {
  return DigitAt(p, at) & -static_cast<int>(digits >> at & 1);
}
inline int16_t TwoDigitsAt(const char* p, unsigned at) {
  return static_cast<int16_t>(DigitAt(p, at) * 10 + DigitAt(p, at + 1));
}

// Three right-aligned bytes from `at` as a number, once their shape is known.
inline int16_t ThreeAligned(const char* p, const LineClasses& c, unsigned at) {
  if ((c.minus & Bits(at, at + 2)) == 0)
    return static_cast<int16_t>(DigitAt(p, at) * 100 + DigitAt(p, at + 1) * 10 + DigitAt(p, at + 2));
  return static_cast<int16_t>(
      -(DigitOrZeroAt(p, c.digit, at) * 100 + DigitOrZeroAt(p, c.digit, at + 1) * 10 + DigitAt(p, at + 2)));
}

// Value C in tenths: bytes 24-26 and 28, once their shape is known.
inline int16_t ValueC(const char* p, const LineClasses& c) {
  if ((c.minus & kAlignedC.bytes) == 0)
    return static_cast<int16_t>(DigitAt(p, 24) * 1000 + DigitAt(p, 25) * 100 + DigitAt(p, 26) * 10 + DigitAt(p, 28));
  return static_cast<int16_t>(-(DigitOrZeroAt(p, c.digit, 24) * 1000 + DigitOrZeroAt(p, c.digit, 25) * 100 +
                                DigitOrZeroAt(p, c.digit, 26) * 10 + DigitAt(p, 28)));
}

}  // namespace quiet

// The usual data line read without raising anything: its first 43
// characters single bytes, every flag a digit and every value read a plain
// number (blanks, a sign, digits) in range. `values` gets what ReadHourValues
// gives and true is returned; any other line gives false and is left to
// ReadHourValues, which raises what it must.
DORVAX_ALWAYS_INLINE bool TryReadHourValues(std::string_view line, bool withE, HourValues& values) {
  using namespace quiet;
  LineClasses c;
  if (line.size() < kClassifiedBytes || !ClassifyPrefix(line.data(), c)) return false;
  const char* p = line.data();
  // The flags decide which values are read: a missing value's bytes are not
  // looked at.
  const bool missingA = p[kFlagA] == '9';
  const bool missingB = p[kFlagB1] == '9' || p[kFlagB2] == '9';
  const bool missingC = p[kFlagC] == '9';
  const bool missingD = p[kFlagD] == '9';
  const bool missingE = !withE || p[kFlagE] == '9';
  const uint64_t digits = kPlaceDigits | kFlagDigitsAToD | (withE ? Bit(kFlagE) : 0) | (missingB ? 0 : kDigitsB) |
                          (missingD ? 0 : kDigitsD);
  const uint64_t aligned =
      (missingA ? 0 : kAlignedA.bytes) | (missingC ? 0 : kAlignedC.bytes) | (missingE ? 0 : kAlignedE.bytes);
  const uint64_t lasts =
      (missingA ? 0 : kAlignedA.last) | (missingC ? 0 : kAlignedC.last) | (missingE ? 0 : kAlignedE.last);
  // A is read with the comma of column 12, which the number rule ignores.
  if ((c.digit & digits) != digits || !RightAlignedShapes(c, aligned, lasts) || (!missingA && p[11] != ','))
    return false;

  values.day = TwoDigitsAt(p, 0);
  values.hour = TwoDigitsAt(p, 3);
  values.a = missingA ? MISSING : ThreeAligned(p, c, 8);
  // B: two digits each, so B2 * 256 + B1 always fits.
  values.b = missingB ? MISSING : static_cast<int16_t>(TwoDigitsAt(p, 19) * 256 + TwoDigitsAt(p, 14));
  // D in tenths: bytes 32 and 34 around the decimal point.
  values.d = missingD ? MISSING : static_cast<int16_t>(DigitAt(p, 32) * 10 + DigitAt(p, 34));
  values.c = missingC ? MISSING : ValueC(p, c);
  values.e = !withE ? 0 : missingE ? MISSING : ThreeAligned(p, c, 38);
  return true;
}

// Day, hour and value E of the usual data line, read without raising
// anything, in the same way (values A to D are not looked at).
inline bool TryReadValueE(std::string_view line, HourValues& values) {
  using namespace quiet;
  LineClasses c;
  if (line.size() < kClassifiedBytes || !ClassifyPrefix(line.data(), c)) return false;
  const char* p = line.data();
  const bool missingE = p[kFlagE] == '9';
  constexpr uint64_t kDigits = kPlaceDigits | Bit(kFlagE);
  if ((c.digit & kDigits) != kDigits) return false;
  if (!missingE && !RightAlignedShapes(c, kAlignedE.bytes, kAlignedE.last)) return false;
  values.day = TwoDigitsAt(p, 0);
  values.hour = TwoDigitsAt(p, 3);
  values.e = missingE ? MISSING : ThreeAligned(p, c, 38);
  return true;
}

}  // namespace dorvax
