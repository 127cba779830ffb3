// Character positions of generated lines, counted in CP932 characters.
#include "tools/treegen_test_support.h"
#include "treegen.h"

#include <cstdlib>

namespace {

using treegen_test::Characters;
using treegen_test::Columns;
using treegen_test::HasDoubleByte;

treegen::Model Sample(const std::string& tag) {
  treegen::Options o;
  o.root = treegen_test::TempFolder(tag);
  o.months = {199901, 200503};
  o.stations = 30;
  o.missingValue = 0.1;
  o.missingHour = 0.02;
  o.valueE = 0.5;
  o.otherFlag = 0.1;
  return treegen::Generate(o);
}

std::string Two(int n) { return std::string{char('0' + n / 10), char('0' + n % 10)}; }

int Number(const std::string& text) { return std::atoi(text.c_str()); }

// Reads a value the way the new-edition layout lays it out, independently of the
// generator: the decimal point is dropped from C and D.
void ExpectReading(const treegen::Reading& r, const std::string& text, const std::string& flag, int tenthsPoint) {
  EXPECT_EQ(std::string(1, char('0' + r.flag)), flag);
  if (r.Missing()) {
    EXPECT_TRUE(text.find_first_not_of('/') == std::string::npos || text.find_first_not_of(' ') == std::string::npos)
        << "missing value written as \"" << text << "\"";
    return;
  }
  if (tenthsPoint > 0) {
    ASSERT_EQ(text[static_cast<std::size_t>(tenthsPoint)], '.') << text;
    std::string digits = text;
    digits.erase(static_cast<std::size_t>(tenthsPoint), 1);
    EXPECT_EQ(Number(digits), r.value) << text;
  } else {
    EXPECT_EQ(Number(text), r.value) << text;
  }
}

TEST(TreegenLines, DataLinesHaveTheFortyThreeColumnLayout) {
  const treegen::Model model = Sample("t");
  std::size_t checked = 0;
  for (const auto& m : model.months) {
    for (const auto& f : m.files) {
      for (const auto& line : f.lines) {
        const auto c = Characters(line.text);
        ASSERT_EQ(c.size(), 43u) << line.text;
        for (std::size_t comma : {3, 6, 12, 14, 17, 19, 22, 24, 30, 32, 36, 38, 42}) {
          EXPECT_EQ(c[comma - 1], ",") << "column " << comma << " of " << line.text;
        }
        EXPECT_EQ(Columns(c, 1, 2), Two(line.day));
        EXPECT_EQ(Columns(c, 4, 5), Two(line.hour));
        ExpectReading(line.a, Columns(c, 7, 11), c[12], 0);
        ExpectReading(line.b1, Columns(c, 15, 16), c[17], 0);
        ExpectReading(line.b2, Columns(c, 20, 21), c[22], 0);
        ExpectReading(line.c, Columns(c, 25, 29), c[30], 3);  // point at column 28
        ExpectReading(line.d, Columns(c, 33, 35), c[36], 1);  // point at column 34
        ExpectReading(line.e, Columns(c, 39, 41), c[42], 0);
        if (!line.a.Missing()) {
          EXPECT_EQ(Number(Columns(c, 9, 12)), line.a.value);  // last three + ","
        }
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 10000u);
}

TEST(TreegenLines, StationInformationFieldsSitAtTheirCharacterPositions) {
  const treegen::Model model = Sample("t");
  const auto& rows = model.months.front().stations;
  ASSERT_GE(rows.size(), 4u);
  const char* elevations[] = {"0012", "0100", "0000", "1000"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto c = Characters(rows[i].text);
    ASSERT_GE(c.size(), 101u) << rows[i].text;
    EXPECT_EQ(std::to_string(rows[i].stationNo), Columns(c, 1, 5));
    EXPECT_TRUE(HasDoubleByte(c, 7, 13));
    EXPECT_TRUE(HasDoubleByte(c, 18, 28));
    for (std::size_t comma : {6, 14, 17, 29, 64, 67, 70, 72, 76, 79, 81, 86, 92, 94, 96, 98, 100}) {
      EXPECT_EQ(c[comma - 1], ",") << "column " << comma << " of station " << rows[i].stationNo;
    }
    for (auto [from, to] : {std::pair{65, 66}, {68, 69}, {71, 71}, {73, 75}, {77, 78}, {80, 80}, {82, 85}}) {
      const std::string field = Columns(c, from, to);
      EXPECT_EQ(field.find_first_not_of("0123456789"), std::string::npos) << from << ": " << field;
    }
    if (i < 4) {
      EXPECT_EQ(Columns(c, 82, 85), elevations[i]);
    }
    const std::size_t flagColumns[] = {93, 95, 97, 99, 101};
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(c[flagColumns[k] - 1], std::string(1, rows[i].flags[k]));
  }
}

TEST(TreegenLines, HeaderLinesCarryStationYearMonthAndTitles) {
  const treegen::Model model = Sample("t");
  for (const auto& m : model.months) {
    for (const auto& f : m.files) {
      const auto line2 = Characters(f.header[1]);
      EXPECT_EQ(Columns(line2, 1, 5), std::to_string(f.stationNo));
      EXPECT_EQ(Columns(line2, 40, 41), Two(f.year % 100));
      EXPECT_EQ(Columns(line2, 43, 44), Two(f.month));
      EXPECT_TRUE(HasDoubleByte(line2, 7, 38));
      std::size_t flags = 0;
      for (std::size_t p = f.header[2].find(",Flag"); p != std::string::npos; p = f.header[2].find(",Flag", p + 1))
        ++flags;
      EXPECT_EQ(flags, 6u);
      std::size_t pairs = 0;
      for (std::size_t p = f.header[3].find(",,"); p != std::string::npos; p = f.header[3].find(",,", p + 2)) ++pairs;
      EXPECT_EQ(pairs, 7u) << f.header[3];
      EXPECT_TRUE(HasDoubleByte(Characters(f.header[0]), 1, 10));
    }
  }
}

TEST(TreegenLines, FormatDataLinePlacesSignsAndPoints) {
  const treegen::Reading ok0{0, 0};
  EXPECT_EQ(treegen::FormatDataLine(1, 3, {123, 0}, {8, 0}, {12, 0}, {-123, 0}, {5, 0}, {7, 1}),
            "01,03,  123,0,08,0,12,0,-12.3,0,0.5,0,  7,1");
  EXPECT_EQ(treegen::FormatDataLine(31, 24, {0, 9}, {8, 0}, {0, 9}, {-5, 0}, {10, 0}, {0, 9}, false),
            "31,24,     ,9,08,0,  ,9, -0.5,0,1.0,0,   ,9");
  EXPECT_EQ(treegen::FormatDataLine(2, 1, ok0, ok0, ok0, {25, 0}, ok0, {0, 9}, true),
            "02,01,    0,0,00,0,00,0,  2.5,0,0.0,0,///,9");
  EXPECT_THROW(treegen::FormatDataLine(1, 1, ok0, {100, 0}, ok0, ok0, ok0, ok0), std::invalid_argument);
  EXPECT_THROW(treegen::FormatDataLine(1, 1, ok0, ok0, ok0, {-1000, 0}, ok0, ok0), std::invalid_argument);
}

TEST(TreegenLines, Cp932LengthCountsDoubleByteCharactersOnce) {
  EXPECT_EQ(treegen::Cp932Length("\x94\x5C\x91\xE3"
                                 "ab"),
            4u);                                        // 能代ab: trail byte 0x5C
  EXPECT_EQ(treegen::Cp932Length("\xBB\xAF\xCE"), 3u);  // half-width kana are single bytes
  EXPECT_EQ(treegen::Cp932Length("\xE0\x40\xFC\x40"), 2u);
}

}  // namespace
