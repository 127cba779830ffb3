#include "hourly/data_line.h"

#include <cstring>

#include "hourly/day_records.h"
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

// ---- The no-raise reading of the usual line (TryReadHourValues). Every
// field is read only in the shape it usually has - digits, or a
// right-aligned number - and anything else makes the whole line go to the
// raising reading, which then decides. Failures of the pieces are gathered
// and tested once, and a field is assembled in a register (bytes stored one
// by one and read back as a word would stall the processor).

// The value of a digit byte, or something above 9.
inline unsigned DigitOf(char c) {
  return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'};
}

// Two digit bytes as a number 0..99; `bad` is set when either is no digit.
inline int16_t TwoDigits(char tens, char ones, bool& bad) {
  unsigned t = DigitOf(tens), o = DigitOf(ones);
  bad |= (t > 9) | (o > 9);
  return static_cast<int16_t>(t * 10 + o);
}

// A right-aligned number of four bytes (the first in the lowest bits).
inline int16_t RightAligned(uint32_t word, bool& bad) {
  int32_t value = 0;
  bad |= !platform::detail::ReadRightAligned4(word, value);
  return static_cast<int16_t>(value);  // at most four digits
}

// Columns c..c+2 with a leading blank, which the number rule ignores.
inline uint32_t ThreeColumns(const char* p, std::size_t column) {
  return platform::detail::FourBytes(p + column - 1) << 8 | uint32_t{' '};
}

// Values A to D of a line whose first 43 bytes are ASCII, as ReadHourValues
// gives them, unless `bad` is set.
void QuietValuesAToD(const char* p, HourValues& v, bool& bad) {
  const unsigned flagA = DigitOf(p[kFlagA - 1]), flagB1 = DigitOf(p[kFlagB1 - 1]),
                 flagB2 = DigitOf(p[kFlagB2 - 1]), flagC = DigitOf(p[kFlagC - 1]), flagD = DigitOf(p[kFlagD - 1]);
  bad |= (flagA > 9) | (flagB1 > 9) | (flagB2 > 9) | (flagC > 9) | (flagD > 9);
  const unsigned missing = kMissingFlag;

  // A: columns 9-11 and the comma of column 12, which the number rule ignores.
  bool badA = p[11] != ',';
  int16_t a = RightAligned(ThreeColumns(p, 9), badA);
  // B: two digits each, so B2 * 256 + B1 always fits.
  bool badB = false;
  int16_t b = static_cast<int16_t>(TwoDigits(p[19], p[20], badB) * 256 + TwoDigits(p[14], p[15], badB));
  // D in tenths: columns 33 and 35.
  bool badD = false;
  int16_t d = TwoDigits(p[32], p[34], badD);
  // C in tenths: columns 25-27 and 29.
  bool badC = false;
  uint32_t c4 = (platform::detail::FourBytes(p + 24) & 0x00FFFFFFu) | uint32_t{static_cast<unsigned char>(p[28])} << 24;
  int16_t c = RightAligned(c4, badC);

  // A value whose flag is 9 is not read at all.
  const bool missingB = flagB1 == missing || flagB2 == missing;
  bad |= (badA & (flagA != missing)) | (badB & !missingB) | (badD & (flagD != missing)) | (badC & (flagC != missing));
  v.a = flagA == missing ? MISSING : a;
  v.b = missingB ? MISSING : b;
  v.d = flagD == missing ? MISSING : d;
  v.c = flagC == missing ? MISSING : c;
}

// Value E of the same kind of line.
int16_t QuietValueE(const char* p, bool& bad) {
  const unsigned flagE = DigitOf(p[kFlagE - 1]);
  bad |= flagE > 9;
  if (flagE == static_cast<unsigned>(kMissingFlag)) return MISSING;
  return RightAligned(ThreeColumns(p, 39), bad);
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
  if (!HasSingleBytePrefix(line, kLastDataColumn)) return false;
  const char* p = line.data();
  HourValues v;
  bool bad = false;
  v.day = TwoDigits(p[0], p[1], bad);
  v.hour = TwoDigits(p[3], p[4], bad);
  QuietValuesAToD(p, v, bad);
  if (withE) v.e = QuietValueE(p, bad);
  if (bad) return false;
  values = v;
  return true;
}

bool TryReadValueE(std::string_view line, HourValues& values) {
  if (!HasSingleBytePrefix(line, kLastDataColumn)) return false;
  const char* p = line.data();
  HourValues v;
  bool bad = false;
  v.day = TwoDigits(p[0], p[1], bad);
  v.hour = TwoDigits(p[3], p[4], bad);
  v.e = QuietValueE(p, bad);
  if (bad) return false;
  values = v;
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
