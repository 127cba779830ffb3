// The fields of a station line are cut from one column index; they must be
// exactly what cutting each field from the line's characters one by one
// gives, for any mix of single- and double-byte characters, short lines and a
// lead byte cut off at the end of the line.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "formats/station_line.h"
#include "platform/cp932.h"
#include "platform/run_error.h"

namespace dorvax {
namespace {

// The index line's fields as positions and widths (character 82-84 zero
// blanking applied below).
// `count` characters from position `start` (fewer at the end, none beyond it).
std::string Mid(std::string_view line, std::size_t start, std::size_t count) {
  std::string out;
  std::size_t position = 1;
  for (std::size_t i = 0; i < line.size(); ++position) {
    std::size_t width = platform::cp932::IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
    if (position >= start && position < start + count) out.append(line.substr(i, width));
    i += width;
  }
  return out;
}

std::string ReferenceIndexLine(std::string_view line) {
  const std::size_t fields[][2] = {{1, 5},  {7, 7},  {18, 11}, {18, 7}, {65, 2},
                                   {68, 2}, {71, 1}, {73, 3},  {77, 2}, {80, 1}};
  std::string out;
  for (const auto& f : fields) out.append(Mid(line, f[0], f[1]));
  std::string last = Mid(line, 82, 4);
  std::size_t i = 0;
  for (; i < 3 && i < last.size() && last[i] == '0'; ++i) out += ' ';
  out.append(last.substr(i));
  return out;
}

std::string RandomLine(std::mt19937& rng) {
  std::uniform_int_distribution<int> length(0, 120), kind(0, 9);
  const char* wide[] = {"\x93\xfa", "\x8b\x43", "\xe0\x40", "\x81\x40"};
  std::string line;
  int n = length(rng);
  for (int i = 0; i < n; ++i) {
    int k = kind(rng);
    if (k < 3)
      line += wide[k];
    else if (k == 3)
      line += '0';
    else if (k == 4)
      line += "\xb1";  // half-width katakana: one byte, one character
    else
      line += static_cast<char>('0' + (k % 2));
  }
  if (kind(rng) == 0) line += '\x93';  // a lead byte cut off at the end
  return line;
}

TEST(StationLinePositions, IndexLineAndFlagsMatchCuttingEachFieldAlone) {
  std::mt19937 rng(11);
  for (int round = 0; round < 20000; ++round) {
    std::string line = RandomLine(rng);
    // The flags: characters 93, 95, 97, 99 and 101, each a single "0" or "1".
    std::string numbered = "12345" + line;  // characters 1-5 read as the station number
    StationLine s = ReadStationLine(numbered);
    auto flag = [&](std::size_t pos, char value) {
      std::string c = Mid(numbered, pos, 1);
      return c.size() == 1 && c[0] == value;
    };
    bool bcdZero = flag(95, '0') && flag(97, '0') && flag(99, '0');
    int16_t kind = (flag(93, '1') && bcdZero) ? 1 : 4;
    bool snow = flag(101, '1');
    if (snow && flag(93, '0') && bcdZero) kind = -1;
    ASSERT_EQ(s.kind, kind) << round;
    ASSERT_EQ(s.snow, snow ? 5 : -1) << round;
    ASSERT_EQ(s.stationNo, 12345);
    ASSERT_EQ(s.indexLine, ReferenceIndexLine(numbered));
  }
}

}  // namespace
}  // namespace dorvax
