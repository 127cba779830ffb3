#include "hourly/data_line.h"

#include <cstring>

#include "hourly/day_records.h"
#include "hourly/line_classes.h"
#include "hourly/line_columns.h"
#include "platform/numeric_text.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

using platform::ReadInt16;

// The last column any reading of a data line looks at (flag of value E).
constexpr std::size_t kLastDataColumn = 43;

// Flag columns; the flag 9 marks the value before it as missing.
constexpr std::size_t kFlagA = 13, kFlagB1 = 18, kFlagB2 = 23, kFlagC = 31, kFlagD = 37, kFlagE = 43;
constexpr int16_t kMissingFlag = 9;

void CheckSixteenBits(int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) throw platform::MakeError(platform::kErrOverflow);
}

// A flag is read with the integer reading; a single digit, the usual flag,
// is taken directly because it reads as itself.
int16_t ReadFlag(std::string_view flag) {
  if (flag.size() == 1 && flag[0] >= '0' && flag[0] <= '9') return static_cast<int16_t>(flag[0] - '0');
  return ReadInt16(flag);
}

// The columns of the usual data line, whose first 43 characters are single
// bytes: column c is byte c - 1, with no lookup. Used only for lines of at
// least 43 such bytes, so every column read lies inside the line.
class SingleByteColumns {
 public:
  explicit SingleByteColumns(std::string_view line) : bytes_(line.data()) {}
  std::string_view Field(std::size_t first, std::size_t count) const { return {bytes_ + first - 1, count}; }
  std::string_view At(std::size_t column) const { return {bytes_ + column - 1, 1}; }

 private:
  const char* bytes_;
};

template <typename Columns>
bool FlagSaysMissing(const Columns& cols, std::size_t column) {
  return ReadFlag(cols.At(column)) == kMissingFlag;
}

// Value C or D in tenths: columns `first` to `first + count - 1` and column
// `tail` (the decimal point between them left out) read as one number,
// without building a string. The pieces are at most three and one characters
// of up to two bytes each.
int16_t ReadTenths(const LineColumns& cols, std::size_t first, std::size_t count, std::size_t tail) {
  char text[8];
  std::size_t n = 0;
  for (char c : cols.Field(first, count)) text[n++] = c;
  for (char c : cols.At(tail)) text[n++] = c;
  return ReadInt16(std::string_view(text, n));
}

int16_t ReadTenths(const SingleByteColumns& cols, std::size_t first, std::size_t count, std::size_t tail) {
  char text[4];
  std::memcpy(text, cols.Field(first, count).data(), count);
  text[count] = cols.At(tail)[0];
  return ReadInt16(std::string_view(text, count + 1));
}

template <typename Columns>
int16_t ReadValueA(const Columns& cols) {
  if (FlagSaysMissing(cols, kFlagA)) return MISSING;
  // The last three characters of the right-aligned field and the comma after
  // it; the comma reads as a group separator.
  return ReadInt16(cols.Field(9, 4));
}

template <typename Columns>
int16_t ReadValueB(const Columns& cols) {
  // Both flags are always read, so a blank second flag is an error even when
  // the first one already marks the value missing.
  bool missingB1 = FlagSaysMissing(cols, kFlagB1);
  bool missingB2 = FlagSaysMissing(cols, kFlagB2);
  if (missingB1 || missingB2) return MISSING;
  // The high part is read first; its product is checked before the low part
  // is read.
  int16_t high = ReadInt16(cols.Field(20, 2));
  CheckSixteenBits(int32_t{high} * 256);
  return JoinValueB(high, ReadInt16(cols.Field(15, 2)));
}

template <typename Columns>
int16_t ReadValueC(const Columns& cols) {
  if (FlagSaysMissing(cols, kFlagC)) return MISSING;
  // Tenths: the decimal point at column 28 is left out.
  return ReadTenths(cols, 25, 3, 29);
}

template <typename Columns>
int16_t ReadValueD(const Columns& cols) {
  if (FlagSaysMissing(cols, kFlagD)) return MISSING;
  // Tenths: the decimal point at column 34 is left out.
  return ReadTenths(cols, 33, 1, 35);
}

template <typename Columns>
int16_t ReadValueE(const Columns& cols) {
  if (FlagSaysMissing(cols, kFlagE)) return MISSING;
  return ReadInt16(cols.Field(39, 3));
}

template <typename Columns>
HourValues ReadHourValuesOf(const Columns& cols, bool withE) {
  HourValues v;
  v.day = ReadInt16(cols.Field(1, 2));
  v.hour = ReadInt16(cols.Field(4, 2));
  // The values in the order of their slots in a day record: A, B, D, C.
  v.a = ReadValueA(cols);
  v.b = ReadValueB(cols);
  v.d = ReadValueD(cols);
  v.c = ReadValueC(cols);
  if (withE) v.e = ReadValueE(cols);
  return v;
}

// ---- The no-raise reading of the usual line (TryReadHourValues). The bytes
// are classified all at once (hourly/line_classes.h) and the fields are
// checked together by a few tests on those masks, accepting every field only
// in the shape it usually has - digits, or a right-aligned number - so that
// anything else makes the whole line go to the raising reading, which then
// decides. Byte positions are columns - 1.

using detail::Bit;

constexpr uint64_t Bits(unsigned first, unsigned last) { return (Bit(last) << 1) - Bit(first); }

// Digits every line needs: day and hour.
constexpr uint64_t kPlaceDigits = Bit(0) | Bit(1) | Bit(3) | Bit(4);
constexpr uint64_t kFlagDigitsAToD =
    Bit(kFlagA - 1) | Bit(kFlagB1 - 1) | Bit(kFlagB2 - 1) | Bit(kFlagC - 1) | Bit(kFlagD - 1);
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
bool RightAlignedShapes(const LineClasses& c, uint64_t bytes, uint64_t lasts) {
  const uint64_t other = bytes & ~(c.digit | c.blank | c.minus);
  const uint64_t digitThenOther = (c.digit << 1) & ~c.digit & bytes & (bytes << 1);  // within one value
  const uint64_t minusWithoutDigit = c.minus & bytes & ~(c.digit >> 1);
  return (other | digitThenOther | minusWithoutDigit) == 0 && (c.digit & lasts) == lasts;
}

// The value of the byte at `at`, which must be a digit.
inline int DigitAt(const char* p, unsigned at) { return static_cast<unsigned char>(p[at]) - '0'; }
// The same where the byte may also be a blank or a minus, which count 0.
inline int DigitOrZeroAt(const char* p, uint64_t digits, unsigned at) {
  return DigitAt(p, at) & -static_cast<int>(digits >> at & 1);
}
inline int16_t TwoDigitsAt(const char* p, unsigned at) {
  return static_cast<int16_t>(DigitAt(p, at) * 10 + DigitAt(p, at + 1));
}
inline int16_t Signed(int value, bool negative) { return static_cast<int16_t>(negative ? -value : value); }

// Three right-aligned bytes from `at` as a number, once their shape is known.
inline int16_t ThreeAligned(const char* p, const LineClasses& c, unsigned at) {
  return Signed(DigitOrZeroAt(p, c.digit, at) * 100 + DigitOrZeroAt(p, c.digit, at + 1) * 10 +
                    DigitOrZeroAt(p, c.digit, at + 2),
                (c.minus & Bits(at, at + 2)) != 0);
}

}  // namespace

int16_t ReadLineDay(std::string_view line) {
  if (HasSingleBytePrefix(line, kLastDataColumn)) return ReadInt16(line.substr(0, 2));
  return ReadInt16(LineColumns(line, 2).Field(1, 2));
}

int16_t ReadLineHour(std::string_view line) {
  if (HasSingleBytePrefix(line, kLastDataColumn)) return ReadInt16(line.substr(3, 2));
  return ReadInt16(LineColumns(line, 5).Field(4, 2));
}

HourValues ReadHourValues(std::string_view line, bool withE) {
  if (HasSingleBytePrefix(line, kLastDataColumn)) return ReadHourValuesOf(SingleByteColumns(line), withE);
  return ReadHourValuesOf(LineColumns(line, kLastDataColumn), withE);
}

bool TryReadHourValues(std::string_view line, bool withE, HourValues& values) {
  LineClasses c;
  if (line.size() < kLastDataColumn || !ClassifyPrefix(line.data(), c)) return false;
  const char* p = line.data();
  // The flags decide which values are read: a missing value's bytes are not
  // looked at.
  const bool missingA = p[kFlagA - 1] == '9';
  const bool missingB = p[kFlagB1 - 1] == '9' || p[kFlagB2 - 1] == '9';
  const bool missingC = p[kFlagC - 1] == '9';
  const bool missingD = p[kFlagD - 1] == '9';
  const bool missingE = !withE || p[kFlagE - 1] == '9';
  const uint64_t digits = kPlaceDigits | kFlagDigitsAToD | (withE ? Bit(kFlagE - 1) : 0) |
                          (missingB ? 0 : kDigitsB) | (missingD ? 0 : kDigitsD);
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
  // C in tenths: bytes 24-26 and 28.
  values.c = missingC ? MISSING
                      : Signed(DigitOrZeroAt(p, c.digit, 24) * 1000 + DigitOrZeroAt(p, c.digit, 25) * 100 +
                                   DigitOrZeroAt(p, c.digit, 26) * 10 + DigitAt(p, 28),
                               (c.minus & kAlignedC.bytes) != 0);
  values.e = !withE ? 0 : missingE ? MISSING : ThreeAligned(p, c, 38);
  return true;
}

bool TryReadValueE(std::string_view line, HourValues& values) {
  LineClasses c;
  if (line.size() < kLastDataColumn || !ClassifyPrefix(line.data(), c)) return false;
  const char* p = line.data();
  const bool missingE = p[kFlagE - 1] == '9';
  constexpr uint64_t kDigits = kPlaceDigits | Bit(kFlagE - 1);
  if ((c.digit & kDigits) != kDigits) return false;
  if (!missingE && !RightAlignedShapes(c, kAlignedE.bytes, kAlignedE.last)) return false;
  values.day = TwoDigitsAt(p, 0);
  values.hour = TwoDigitsAt(p, 3);
  values.e = missingE ? MISSING : ThreeAligned(p, c, 38);
  return true;
}

int16_t JoinValueB(int16_t high, int16_t low) {
  // B2 is the high byte: B2 * 256 must itself be a 16-bit value.
  int32_t product = int32_t{high} * 256;
  CheckSixteenBits(product);
  int32_t sum = product + low;
  CheckSixteenBits(sum);
  return static_cast<int16_t>(sum);
}

int16_t ReadValueE(std::string_view line) {
  if (HasSingleBytePrefix(line, kLastDataColumn)) return ReadValueE(SingleByteColumns(line));
  return ReadValueE(LineColumns(line, kLastDataColumn));
}

}  // namespace dorvax
