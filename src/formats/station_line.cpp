#include "formats/station_line.h"

#include "platform/cp932.h"
#include "platform/numeric_text.h"

namespace dorvax {

namespace {

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

// The character positions of one line, resolved in a single pass: every
// field of a station line is cut by position, and finding each position from
// the start of the line again would walk its double-byte names a dozen times.
// Positions count as platform::cp932 counts them (a lead byte at the very end
// of the line is one character).
class LinePositions {
 public:
  static constexpr std::size_t kLastPosition = kFlagE;

  explicit LinePositions(std::string_view line) : line_(line) {
    std::size_t i = 0;
    for (std::size_t pos = 1; pos <= kLastPosition + 1; ++pos) {
      start_[pos] = i;
      if (i < line.size())
        i += (platform::cp932::IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) ? 2 : 1;
    }
  }

  // As platform::cp932::Mid, for positions up to kLastPosition.
  std::string_view Mid(std::size_t start, std::size_t count) const {
    std::size_t begin = start_[start];
    if (begin >= line_.size()) return {};
    return line_.substr(begin, start_[start + count] - begin);
  }
  std::string_view CharAt(std::size_t pos) const { return Mid(pos, 1); }

 private:
  std::string_view line_;
  std::size_t start_[kLastPosition + 2] = {};
};

// Leading zeros of characters 82-84 become blanks; the first other character
// ends the blanking. A "0" is one byte, so while only zeros have been seen
// byte and character positions agree.
void AppendZeroBlanked(std::string& out, std::string_view field) {
  std::size_t i = 0;
  for (; i < kBlankableZeros && i < field.size() && field[i] == '0'; ++i) out += ' ';
  out.append(field.substr(i));
}

bool FlagIs(const LinePositions& line, std::size_t pos, char value) {
  std::string_view c = line.CharAt(pos);
  return c.size() == 1 && c[0] == value;
}

std::string ComposeIndexLine(const LinePositions& line) {
  std::string out;
  out.reserve(48);
  for (const Field& f : kCopiedFields) out.append(line.Mid(f.start, f.width));
  AppendZeroBlanked(out, line.Mid(kLastField.start, kLastField.width));
  return out;
}

}  // namespace

StationLine ReadStationLine(std::string_view text) {
  const LinePositions line(text);
  StationLine s;
  s.stationNo = platform::ReadInt32(line.Mid(1, 5));
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
