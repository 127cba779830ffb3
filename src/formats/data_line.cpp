#include "formats/data_line.h"

#include "formats/data_line_layout.h"
#include "formats/day_records.h"
#include "platform/cp932.h"
#include "platform/numeric_text.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

using platform::ReadInt16;
using platform::cp932::ColumnIndex;

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
  return line.size() >= data_line::kLastColumn && platform::cp932::IsAscii(line.data(), data_line::kLastColumn);
}

// The columns of the usual data line: column c is byte c - 1, with no
// lookup. Used only where IsSingleByteLine holds, so every column read lies
// inside the line.
class SingleByteColumns {
 public:
  explicit SingleByteColumns(std::string_view line) : bytes_(line.data()) {}
  std::string_view Field(std::size_t first, std::size_t count) const {
    return {bytes_ + data_line::ByteOf(first), count};
  }
  std::string_view At(std::size_t column) const { return {bytes_ + data_line::ByteOf(column), 1}; }

 private:
  const char* bytes_;
};

template <typename Columns>
std::string_view FieldOf(const Columns& cols, data_line::Columns field) {
  return cols.Field(field.first, field.count());
}

template <typename Columns>
bool FlagSaysMissing(const Columns& cols, const data_line::Value& value) {
  return ReadFlag(cols.At(value.flag)) == kMissingFlag;
}

// The number a value's columns read as (value A with the comma after it).
template <typename Columns>
int16_t ReadNumber(const Columns& cols, const data_line::Value& value) {
  return ReadInt16(cols.Field(value.kept.first, value.readTo - value.kept.first + 1));
}

// Value C or D in tenths: its columns before and after the decimal point,
// read as one number without building a string. The pieces are at most
// three and one characters of up to two bytes each.
template <typename Columns>
int16_t ReadTenths(const Columns& cols, const data_line::Value& value) {
  char text[8];
  std::size_t n = 0;
  for (char c : cols.Field(value.kept.first, value.point - value.kept.first)) text[n++] = c;
  for (char c : cols.Field(value.point + 1, value.readTo - value.point)) text[n++] = c;
  return ReadInt16(std::string_view(text, n));
}

// Value A, C, D or E: MISSING when its flag is 9, whose text is then not read.
template <typename Columns>
int16_t ReadValue(const Columns& cols, const data_line::Value& value) {
  if (FlagSaysMissing(cols, value)) return MISSING;
  return value.point ? ReadTenths(cols, value) : ReadNumber(cols, value);
}

template <typename Columns>
int16_t ReadValueB(const Columns& cols) {
  // Both flags are always read, so a blank second flag is an error even when
  // the first one already marks the value missing.
  bool missingB1 = FlagSaysMissing(cols, data_line::kB1);
  bool missingB2 = FlagSaysMissing(cols, data_line::kB2);
  if (missingB1 || missingB2) return MISSING;
  // The high part is read first; its product is checked before the low part
  // is read.
  int16_t high = ReadNumber(cols, data_line::kB2);
  CheckSixteenBits(int32_t{high} * 256);
  return JoinValueB(high, ReadNumber(cols, data_line::kB1));
}

template <typename Columns>
HourValues ReadHourValuesOf(const Columns& cols, bool withE) {
  HourValues v;
  v.day = ReadInt16(FieldOf(cols, data_line::kDay));
  v.hour = ReadInt16(FieldOf(cols, data_line::kHour));
  // The values in the order of their slots in a day record: A, B, D, C.
  v.a = ReadValue(cols, data_line::kA);
  v.b = ReadValueB(cols);
  v.d = ReadValue(cols, data_line::kD);
  v.c = ReadValue(cols, data_line::kC);
  if (withE) v.e = ReadValue(cols, data_line::kE);
  return v;
}

}  // namespace

int16_t ReadLineDay(std::string_view line) {
  if (IsSingleByteLine(line)) return ReadInt16(FieldOf(SingleByteColumns(line), data_line::kDay));
  return ReadInt16(FieldOf(ColumnIndex(line, data_line::kDay.last), data_line::kDay));
}

int16_t ReadLineHour(std::string_view line) {
  if (IsSingleByteLine(line)) return ReadInt16(FieldOf(SingleByteColumns(line), data_line::kHour));
  return ReadInt16(FieldOf(ColumnIndex(line, data_line::kHour.last), data_line::kHour));
}

HourValues ReadHourValues(std::string_view line, bool withE) {
  if (IsSingleByteLine(line)) return ReadHourValuesOf(SingleByteColumns(line), withE);
  return ReadHourValuesOf(ColumnIndex(line, data_line::kLastColumn), withE);
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
  if (IsSingleByteLine(line)) return ReadValue(SingleByteColumns(line), data_line::kE);
  return ReadValue(ColumnIndex(line, data_line::kLastColumn), data_line::kE);
}

std::string DescribeDataLine(std::size_t lineNumber, std::string_view line) {
  constexpr std::size_t kShownCharacters = 60;
  const ColumnIndex cols(line, kShownCharacters + 1);
  const std::size_t count = cols.Count();
  std::string text;
  for (std::size_t c = 1; c <= count && c <= kShownCharacters; ++c) {
    std::string_view ch = cols.At(c);
    text += (ch.size() == 1 && ch[0] >= 0x20 && ch[0] < 0x7F) ? ch[0] : '?';
  }
  if (count > kShownCharacters) text += "...";
  return "line " + std::to_string(lineNumber) + ": \"" + text + "\"";
}

}  // namespace dorvax
