#include "formats/data_line.h"

#include <cstring>

#include "formats/day_records.h"
#include "platform/cp932.h"
#include "platform/numeric_text.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

using platform::ReadInt16;
using platform::cp932::ColumnIndex;

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

// True for the usual data line: its first 43 characters are single bytes.
bool IsSingleByteLine(std::string_view line) {
  return line.size() >= kLastDataColumn && platform::cp932::IsAscii(line.data(), kLastDataColumn);
}

// The columns of the usual data line: column c is byte c - 1, with no
// lookup. Used only where IsSingleByteLine holds, so every column read lies
// inside the line.
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
int16_t ReadTenths(const ColumnIndex& cols, std::size_t first, std::size_t count, std::size_t tail) {
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

}  // namespace

int16_t ReadLineDay(std::string_view line) {
  if (IsSingleByteLine(line)) return ReadInt16(line.substr(0, 2));
  return ReadInt16(ColumnIndex(line, 2).Field(1, 2));
}

int16_t ReadLineHour(std::string_view line) {
  if (IsSingleByteLine(line)) return ReadInt16(line.substr(3, 2));
  return ReadInt16(ColumnIndex(line, 5).Field(4, 2));
}

HourValues ReadHourValues(std::string_view line, bool withE) {
  if (IsSingleByteLine(line)) return ReadHourValuesOf(SingleByteColumns(line), withE);
  return ReadHourValuesOf(ColumnIndex(line, kLastDataColumn), withE);
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
  if (IsSingleByteLine(line)) return ReadValueE(SingleByteColumns(line));
  return ReadValueE(ColumnIndex(line, kLastDataColumn));
}

}  // namespace dorvax
