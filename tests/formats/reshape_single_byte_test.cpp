// A data line whose first 43 characters are single bytes is reshaped by
// cutting bytes; any other line column by column. Both must give the same
// line: the two leading characters of value A (columns 7-8) are dropped, so a
// double-byte character there sends an otherwise equal line down the other way.
#include <gtest/gtest.h>

#include <string>

#include "formats/text_reshape.h"
#include "formats/hourly_lines.h"
#include "platform/run_error.h"

namespace dorvax {
namespace {

using testing::DataLine;
using testing::LineFields;

const std::string kWide = "\x93\xfa";  // 日, one column of two bytes

std::string Reshaped(const std::string& line) {
  std::string out;
  ReshapeDataLineInto(line, out);
  return out;
}

TEST(ReshapeSingleByteLines, EveryFlagCombinationMatchesTheColumnByColumnReading) {
  std::string LineFields::*flags[] = {&LineFields::flagA, &LineFields::flagB1, &LineFields::flagB2,
                                      &LineFields::flagC, &LineFields::flagD, &LineFields::flagE};
  for (int mask = 0; mask < 64; ++mask) {
    LineFields f;
    f.a = "  -12";
    f.e = "  3";
    for (int k = 0; k < 6; ++k) f.*flags[k] = (mask >> k & 1) ? "9" : std::to_string(k + 1);
    std::string single = DataLine(f) + ",tail";
    LineFields wide = f;
    wide.a = kWide + " -12";  // still five columns
    std::string doubled = DataLine(wide) + ",tail";
    EXPECT_EQ(Reshaped(single), Reshaped(doubled)) << single;
    EXPECT_EQ(Reshaped(single).size(), 29u);
  }
}

TEST(ReshapeSingleByteLines, BadFlagsFailTheSameWayOnBothRoads) {
  for (const char* bad : {" ", "/", "a"}) {
    LineFields f;
    f.flagE = bad;  // the last flag: every other column is fine
    LineFields wide = f;
    wide.a = kWide + "123";
    EXPECT_THROW(Reshaped(DataLine(f)), platform::RunError) << bad;
    EXPECT_THROW(Reshaped(DataLine(wide)), platform::RunError) << bad;
  }
  // A half-width katakana byte (one column, one byte, not ASCII) in column 7.
  LineFields kana;
  kana.a = "\xb1 123";
  EXPECT_EQ(Reshaped(DataLine(kana)), "01,01,123,08,12,-12.3,0.5, 40");
}

// The outcome of reshaping a line: its text with the line end, or that it
// was refused.
std::string Outcome(const std::string& line) {
  std::string out = "kept";
  try {
    AppendReshapedDataLineWithEnd(line, out);
  } catch (const platform::RunError& e) {
    return "refused " + std::to_string(e.number());
  }
  return out;
}

TEST(ReshapeSingleByteLines, EveryColumnChangedGivesTheSameLineOnBothRoads) {
  // Column 7 (byte 6) is dropped by the reshaping; a double-byte character
  // there sends the same columns down the column-by-column road.
  const std::string base = DataLine(LineFields{}) + ",tail";
  const std::string characters = std::string(" 09-/,.x\t") + "\xb1";
  int kept = 0, refused = 0;
  for (std::size_t at = 0; at < 46; ++at) {
    if (at == 6) continue;
    for (char c : characters) {
      std::string single = base;
      single[at] = c;
      std::string doubled = single.substr(0, 6) + kWide + single.substr(7);
      const std::string fast = Outcome(single);
      ASSERT_EQ(fast, Outcome(doubled)) << single;
      if (fast.rfind("refused", 0) == 0) {
        ++refused;
        continue;
      }
      ++kept;
      ASSERT_EQ(fast.substr(fast.size() - 2), "\r\n");
      std::string plain = "kept";
      AppendReshapedDataLine(single, plain);
      ASSERT_EQ(plain + "\r\n", fast) << single;
    }
  }
  EXPECT_GT(kept, 300);
  EXPECT_GT(refused, 10);  // flags that are no digits
}

}  // namespace
}  // namespace dorvax
