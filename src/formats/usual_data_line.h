#pragma once
// The usual data line's fast reading, which raises nothing, inline so that
// it becomes part of day building's loop over a file's lines. The bytes are
// classified all at once (formats/line_classes.h) and the fields are checked
// together by a few tests on those masks, accepting every field only in the
// shape it usually has - digits, or a right-aligned number - so that
// anything else makes the whole line go to the general reading
// (formats/data_line.h), which then decides. The columns are those of
// formats/data_line_layout.h; column c is byte c - 1.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/data_line.h"
#include "formats/data_line_layout.h"
#include "formats/day_records.h"
#include "formats/line_classes.h"
#include "platform/compiler.h"

namespace dorvax {

namespace usual_line {

using data_line::ByteOf;
using data_line::kA;
using data_line::kB1;
using data_line::kB2;
using data_line::kC;
using data_line::kD;
using data_line::kE;
using detail::Bit;

// Bytes `first` to `last` as a mask of LineClasses.
constexpr uint64_t Bits(std::size_t first, std::size_t last) {
  return (Bit(static_cast<unsigned>(last)) << 1) - Bit(static_cast<unsigned>(first));
}
constexpr uint64_t ColumnBit(std::size_t column) { return Bit(static_cast<unsigned>(ByteOf(column))); }
constexpr uint64_t ColumnBits(data_line::Columns columns) { return Bits(ByteOf(columns.first), ByteOf(columns.last)); }
// The bytes of a value's number: its kept columns without the decimal point.
constexpr uint64_t NumberBits(const data_line::Value& value) {
  return ColumnBits(value.kept) & ~(value.point ? ColumnBit(value.point) : 0);
}

// The shapes the arithmetic below reads the values in.
static_assert(data_line::kDay.count() == 2 && data_line::kHour.count() == 2);
static_assert(kA.kept.count() == 3 && kA.point == 0 && kA.readTo == kA.kept.last + 1);
static_assert(kB1.kept.count() == 2 && kB2.kept.count() == 2);
static_assert(kC.kept.count() == 5 && kC.point == kC.kept.last - 1);
static_assert(kD.kept.count() == 3 && kD.point == kD.kept.first + 1);
static_assert(kE.kept.count() == 3 && kE.readTo == kE.kept.last);
static_assert(data_line::kLastColumn == kClassifiedBytes);

// Flag bytes; the flag 9 marks the value before it as missing.
constexpr std::size_t kFlagA = ByteOf(kA.flag), kFlagB1 = ByteOf(kB1.flag), kFlagB2 = ByteOf(kB2.flag),
                      kFlagC = ByteOf(kC.flag), kFlagD = ByteOf(kD.flag), kFlagE = ByteOf(kE.flag);

// Digits every line needs: day and hour.
constexpr uint64_t kPlaceDigits = ColumnBits(data_line::kDay) | ColumnBits(data_line::kHour);
constexpr uint64_t kFlagDigitsAToD =
    ColumnBit(kA.flag) | ColumnBit(kB1.flag) | ColumnBit(kB2.flag) | ColumnBit(kC.flag) | ColumnBit(kD.flag);
constexpr uint64_t kDigitsB = NumberBits(kB1) | NumberBits(kB2);
constexpr uint64_t kDigitsD = NumberBits(kD);

// A right-aligned value: the bytes read and its last byte, which must be a
// digit.
struct RightAligned {
  uint64_t bytes;
  uint64_t last;
};
constexpr RightAligned Aligned(const data_line::Value& value) {
  return {NumberBits(value), ColumnBit(value.kept.last)};
}
constexpr RightAligned kAlignedA = Aligned(kA);
constexpr RightAligned kAlignedC = Aligned(kC);
constexpr RightAligned kAlignedE = Aligned(kE);

// The right-aligned values to check, each given by its bytes: blanks, then
// perhaps a minus, then digits to the last byte. Tested on all of them at once:
// every byte is a digit, a blank or a minus; the last byte is a digit; no
// digit is followed by anything else; a minus is followed by a digit (so it
// stands right before the first digit). Stricter than the number rule only
// for lines it leaves to the general reading (a minus before C's decimal
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
inline int DigitAt(const char* p, std::size_t at) { return p[at] & 15; }
// The same where the byte may also be a minus, which counts 0.
inline int DigitOrZeroAt(const char* p, uint64_t digits, std::size_t at) {
  return DigitAt(p, at) & -static_cast<int>(digits >> at & 1);
}
inline int16_t TwoDigits(const char* p, data_line::Columns columns) {
  return static_cast<int16_t>(DigitAt(p, ByteOf(columns.first)) * 10 + DigitAt(p, ByteOf(columns.last)));
}

// Value A or E: three right-aligned bytes as a number, once their shape is known.
inline int16_t ThreeAligned(const char* p, const LineClasses& c, const data_line::Value& value) {
  const std::size_t at = ByteOf(value.kept.first);
  if ((c.minus & NumberBits(value)) == 0)
    return static_cast<int16_t>(DigitAt(p, at) * 100 + DigitAt(p, at + 1) * 10 + DigitAt(p, at + 2));
  return static_cast<int16_t>(
      -(DigitOrZeroAt(p, c.digit, at) * 100 + DigitOrZeroAt(p, c.digit, at + 1) * 10 + DigitAt(p, at + 2)));
}

// Value C in tenths: three bytes before the decimal point and one after it,
// once their shape is known.
inline int16_t ValueC(const char* p, const LineClasses& c) {
  constexpr std::size_t at = ByteOf(kC.kept.first), tenths = ByteOf(kC.kept.last);
  if ((c.minus & kAlignedC.bytes) == 0)
    return static_cast<int16_t>(DigitAt(p, at) * 1000 + DigitAt(p, at + 1) * 100 + DigitAt(p, at + 2) * 10 +
                                DigitAt(p, tenths));
  return static_cast<int16_t>(-(DigitOrZeroAt(p, c.digit, at) * 1000 + DigitOrZeroAt(p, c.digit, at + 1) * 100 +
                                DigitOrZeroAt(p, c.digit, at + 2) * 10 + DigitAt(p, tenths)));
}

}  // namespace usual_line

// The usual data line read without raising anything: its first 43
// characters single bytes, every flag a digit and every value read a plain
// number (blanks, a sign, digits) in range. `values` gets what ReadHourValues
// gives and true is returned; any other line gives false and is left to
// ReadHourValues, which raises what it must.
DORVAX_ALWAYS_INLINE bool TryReadHourValues(std::string_view line, bool withE, HourValues& values) {
  using namespace usual_line;
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
  const uint64_t digits = kPlaceDigits | kFlagDigitsAToD | (withE ? ColumnBit(kE.flag) : 0) |
                          (missingB ? 0 : kDigitsB) | (missingD ? 0 : kDigitsD);
  const uint64_t aligned =
      (missingA ? 0 : kAlignedA.bytes) | (missingC ? 0 : kAlignedC.bytes) | (missingE ? 0 : kAlignedE.bytes);
  const uint64_t lasts =
      (missingA ? 0 : kAlignedA.last) | (missingC ? 0 : kAlignedC.last) | (missingE ? 0 : kAlignedE.last);
  // A is read with the comma after it, which the number rule ignores.
  if ((c.digit & digits) != digits || !RightAlignedShapes(c, aligned, lasts) ||
      (!missingA && p[ByteOf(kA.readTo)] != ','))
    return false;

  values.day = TwoDigits(p, data_line::kDay);
  values.hour = TwoDigits(p, data_line::kHour);
  values.a = missingA ? MISSING : ThreeAligned(p, c, kA);
  // B: two digits each, so B2 * 256 + B1 always fits.
  values.b = missingB ? MISSING : static_cast<int16_t>(TwoDigits(p, kB2.kept) * 256 + TwoDigits(p, kB1.kept));
  // D in tenths: the bytes around the decimal point.
  values.d = missingD ? MISSING
                      : static_cast<int16_t>(DigitAt(p, ByteOf(kD.kept.first)) * 10 + DigitAt(p, ByteOf(kD.kept.last)));
  values.c = missingC ? MISSING : ValueC(p, c);
  values.e = !withE ? 0 : missingE ? MISSING : ThreeAligned(p, c, kE);
  return true;
}

// Day, hour and value E of the usual data line, read without raising
// anything, in the same way (values A to D are not looked at).
inline bool TryReadValueE(std::string_view line, HourValues& values) {
  using namespace usual_line;
  LineClasses c;
  if (line.size() < kClassifiedBytes || !ClassifyPrefix(line.data(), c)) return false;
  const char* p = line.data();
  const bool missingE = p[kFlagE] == '9';
  constexpr uint64_t kDigits = kPlaceDigits | ColumnBit(kE.flag);
  if ((c.digit & kDigits) != kDigits) return false;
  if (!missingE && !RightAlignedShapes(c, kAlignedE.bytes, kAlignedE.last)) return false;
  values.day = TwoDigits(p, data_line::kDay);
  values.hour = TwoDigits(p, data_line::kHour);
  values.e = missingE ? MISSING : ThreeAligned(p, c, kE);
  return true;
}

}  // namespace dorvax
