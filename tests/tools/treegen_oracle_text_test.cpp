// Station index lines and text-era line reshaping as the oracle expects them.
#include "support/treegen_oracle.h"

#include <gtest/gtest.h>

namespace {

using namespace treegen_oracle;

// A station information line with the given elevation (characters 82-85) and
// flags; characters 7-13 and 18-28 hold double-byte names.
std::string InfoLine(const std::string& elevation, const std::string& flags) {
  std::string line = "44132,";  // 1-6
  line +=
      "\x94\x5C\x91\xE3"
      "     ,";   // 7-13 能代 + 5 blanks, 14
  line += "01,";  // 15-17
  line +=
      "\x83\x6D\x83\x56\x83\x8D"
      "\xC9\xBC\xDB"
      "     ,";                                         // 18-28 ノシロﾉｼﾛ + 5 blanks, 29
  line += std::string(34, '.') + ",";                   // 30-64
  line += "40,12,3,140,05,6," + elevation + ", 1976,";  // 65-92
  for (std::size_t i = 0; i < flags.size(); ++i) line += (i ? "," : "") + flags.substr(i, 1);
  return line;
}

TEST(OracleStationIndex, FieldsAreCutByCharacterAndElevationZeroBlanked) {
  const std::string fields =
      "44132"
      "\x94\x5C\x91\xE3"
      "     "
      "\x83\x6D\x83\x56\x83\x8D"
      "\xC9\xBC\xDB"
      "     "
      "\x83\x6D\x83\x56\x83\x8D"
      "\xC9\xBC\xDB"
      " "
      "4012314005"
      "6";
  EXPECT_EQ(StationIndexLine(InfoLine("0012", "11111")), fields + "  12");
  EXPECT_EQ(StationIndexLine(InfoLine("0000", "11111")), fields + "   0");
  EXPECT_EQ(StationIndexLine(InfoLine("0100", "11111")), fields + " 100");
  EXPECT_EQ(StationIndexLine(InfoLine("1000", "11111")), fields + "1000");
  // A line that ends before character 82 gives an empty last field.
  EXPECT_EQ(StationIndexLine(InfoLine("0012", "11111").substr(0, 86)), fields);  // 86 bytes = 81 characters
}

TEST(OracleStationIndex, FlagCombinationsGiveKindAndSnow) {
  struct Case {
    const char* flags;
    int kind;
    int snow;
  };
  for (const Case& c : {Case{"10000", 1, -1}, Case{"10001", 1, 5}, Case{"00001", -1, 5}, Case{"11110", 4, -1},
                        Case{"00000", 4, -1}, Case{"11001", 4, 5}}) {
    const StationEntry e = EntryOfInfoLine(InfoLine("0012", c.flags));
    EXPECT_EQ(e.kind, c.kind) << c.flags;
    EXPECT_EQ(e.snow, c.snow) << c.flags;
  }
  const StationEntry cut = EntryOfInfoLine(InfoLine("0012", "11111").substr(0, 95));  // 90 characters
  EXPECT_EQ(cut.kind, 4);
  EXPECT_EQ(cut.snow, -1);
}

TEST(OracleTextEra, StripFlagHeadersKeepsTitlesAndPadsTo98) {
  const std::string titles = "\x93\xFA,\x8E\x9E,A,Flag,B,Flag";  // 日,時,A,Flag,B,Flag
  const std::string out = StripFlagHeaders(titles);
  EXPECT_EQ(out.substr(0, 9), "\x93\xFA,\x8E\x9E,A,B");
  EXPECT_EQ(out.size(), 9u + 98 - 7);  // 7 characters in 9 bytes, then blanks
  EXPECT_EQ(StripFlagHeaders(std::string(130, 'x')), std::string(128, 'x'));
  // A ",Flag" starting after column 124 stays.
  EXPECT_EQ(StripFlagHeaders(std::string(124, 'x') + ",Flag"), std::string(124, 'x') + ",Fla");
  EXPECT_EQ(StripFlagHeaders(std::string(123, 'x') + ",Flag"), std::string(123, 'x'));
}

TEST(OracleTextEra, CollapseEmptyHeadersTurnsPairsIntoOneComma) {
  EXPECT_EQ(CollapseEmptyHeaders(",,(mm),,(m/s),,"), ",(mm),(m/s)," + std::string(27, ' '));
  EXPECT_EQ(CollapseEmptyHeaders("a,,,b").substr(0, 4), "a,,b");
  EXPECT_EQ(CollapseEmptyHeaders(std::string(50, 'x')), std::string(44, 'x'));
}

TEST(OracleTextEra, ReshapeDataLineDropsFlagsAndMarksMissing) {
  EXPECT_EQ(ReshapeDataLine("01,01,   12,0,05,0,12,0, 12.5,0,0.5,0,  5,9"), "01,01, 12,05,12, 12.5,0.5,///");
  EXPECT_EQ(ReshapeDataLine("31,24,     ,9,  ,9,//,9,     ,9,   ,9,   ,9"), "31,24,///,//,//,/////,///,///");
  EXPECT_THROW(ReshapeDataLine("01,01,   12,0,05,0,12,0, 12.5,0,0.5,0,  5, "), ConversionStop);
  EXPECT_THROW(ReshapeDataLine("01,01,   12,0,05,0,12,0, 12.5,0,0.5,0,  5,"), ConversionStop);
}

TEST(OracleTextEra, SplitLinesEndsLinesAtCrLfOrCr) {
  EXPECT_EQ(SplitLines("a\r\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
