#include "formats/station_line.h"

#include "platform/cp932.h"
#include "platform/numeric_text.h"

namespace dorvax {

namespace {

using platform::cp932::ColumnIndex;

struct Field {
  std::size_t start;  // 1-based character position
  std::size_t width;
};

// Output fields 1 to 10; field 4 repeats the first seven characters of field 3.
constexpr Field kCopiedFields[] = {
    {1, 5}, {7, 7}, {18, 11}, {18, 7}, {65, 2}, {68, 2}, {71, 1}, {73, 3}, {77, 2}, {80, 1},
};
constexpr Field kLastField = {82, 4};
constexpr std::size_t kBlankableZeros = 3;  // character 85 always stays

constexpr std::size_t kFlagA = 93;
constexpr std::size_t kFlagB = 95;
constexpr std::size_t kFlagC = 97;
constexpr std::size_t kFlagD = 99;
constexpr std::size_t kFlagE = 101;

// Leading zeros of characters 82-84 become blanks; the first other character
// ends the blanking. A "0" is one byte, so while only zeros have been seen
// byte and character positions agree.
void AppendZeroBlanked(std::string& out, std::string_view field) {
  std::size_t i = 0;
  for (; i < kBlankableZeros && i < field.size() && field[i] == '0'; ++i) out += ' ';
  out.append(field.substr(i));
}

bool FlagIs(const ColumnIndex& line, std::size_t pos, char value) {
  std::string_view c = line.At(pos);
  return c.size() == 1 && c[0] == value;
}

std::string ComposeIndexLine(const ColumnIndex& line) {
  std::string out;
  out.reserve(48);
  for (const Field& f : kCopiedFields) out.append(line.Field(f.start, f.width));
  AppendZeroBlanked(out, line.Field(kLastField.start, kLastField.width));
  return out;
}

}  // namespace

StationLine ReadStationLine(std::string_view text) {
  // Every field is cut from one column index, so the line's double-byte
  // names are walked once, not once per field.
  const ColumnIndex line(text, kFlagE);
  StationLine s;
  s.stationNo = platform::ReadInt32(line.Field(1, 5));
  s.indexLine = ComposeIndexLine(line);
  const bool bcdZero = FlagIs(line, kFlagB, '0') && FlagIs(line, kFlagC, '0') && FlagIs(line, kFlagD, '0');
  s.kind = (FlagIs(line, kFlagA, '1') && bcdZero) ? 1 : 4;
  if (FlagIs(line, kFlagE, '1')) {
    s.snow = 5;
    s.inSnowIndex = true;
    // A station that only has value E belongs to the SIDX file alone.
    if (FlagIs(line, kFlagA, '0') && bcdZero) {
      s.kind = -1;
      s.inIndex = false;
    }
  }
  return s;
}

}  // namespace dorvax
