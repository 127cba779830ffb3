#include "formats/text_reshape.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/hourly_lines.h"
#include "platform/cp932.h"
#include "support/error_number.h"

namespace dorvax {
namespace {

using testing::DataLine;
using testing::LineFields;
using testing::Reshaped;

// CP932 bytes of a few titles.
const std::string kDay = "\x93\xfa";                  // 日
const std::string kHour = "\x8e\x9e";                 // 時
const std::string kTemperature = "\x8b\x43\x89\xb7";  // 気温
const std::string kWind = "\x95\x97\x91\xac";         // 風速

std::string Stripped(std::string line) {
  StripFlagHeaders(line);
  return line;
}

std::string Collapsed(std::string line) {
  CollapseEmptyHeaders(line);
  return line;
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// The reshaped line, or the number of the error that refused it.
std::string Outcome(const std::string& line) {
  std::string out;
  int32_t error = testing::ErrorNumberOf([&] { out = Reshaped(line); });
  return error ? "refused " + std::to_string(error) : out;
}

TEST(StripFlagHeaders, RemovesEveryFlagTitleAndFillsTo98) {
  std::string line = "Day,Hour,ValA,Flag,ValB,Flag";
  EXPECT_EQ(Stripped(line), "Day,Hour,ValA,ValB" + Blanks(98 - 18));
  EXPECT_EQ(Stripped("abc"), "abc" + Blanks(95));
  EXPECT_EQ(Stripped(""), Blanks(98));
  // Case matters, and a title must follow a comma.
  EXPECT_EQ(Stripped("A,flag,Flag"), "A,flag" + Blanks(92));
  EXPECT_EQ(Stripped("A,Flag,Flag"), "A" + Blanks(97));
}

TEST(StripFlagHeaders, DoubleByteTitlesCountAsOneColumnEach) {
  std::string line = kDay + "," + kHour + "," + kTemperature + ",Flag," + kWind + ",Flag";
  std::string result = Stripped(line);
  std::string kept = kDay + "," + kHour + "," + kTemperature + "," + kWind;  // 9 characters
  EXPECT_EQ(result, kept + Blanks(98 - 9));
  EXPECT_EQ(platform::cp932::CharCount(result), 98u);
}

TEST(StripFlagHeaders, CutsAfterColumn128AndLooksForTitlesUpToColumn124) {
  std::string x(130, 'x');
  EXPECT_EQ(Stripped(x), std::string(128, 'x'));
  // A title starting at column 124 is removed; one at 125 stays, cut at 128.
  std::string at124 = std::string(123, 'x') + ",Flag" + "yz";
  EXPECT_EQ(Stripped(at124), std::string(123, 'x'));
  std::string at125 = std::string(124, 'x') + ",Flag";
  EXPECT_EQ(Stripped(at125), std::string(124, 'x') + ",Fla");
  // Removal happens first, then everything up to column 128 of the line is kept.
  std::string early = "a,Flag" + std::string(130, 'x');
  EXPECT_EQ(Stripped(early), "a" + std::string(122, 'x'));
  // Columns count characters: 130 double-byte characters keep 128 of them.
  std::string wide;
  for (int i = 0; i < 130; ++i) wide += kDay;
  EXPECT_EQ(Stripped(wide).size(), 256u);
  // A title after 119 double-byte characters starts at column 120: removed.
  std::string wideTitle;
  for (int i = 0; i < 119; ++i) wideTitle += kHour;
  EXPECT_EQ(Stripped(wideTitle + ",Flag" + kDay), wideTitle + kDay);
}

TEST(CollapseEmptyHeaders, EveryPairOfCommasBecomesOne) {
  EXPECT_EQ(Collapsed("Day,Hour,ValA,,ValB,,"), "Day,Hour,ValA,ValB," + Blanks(39 - 19));
  EXPECT_EQ(Collapsed("a,,,b"), "a,,b" + Blanks(35));  // three commas become two
  EXPECT_EQ(Collapsed(",,,,"), ",," + Blanks(37));
  EXPECT_EQ(Collapsed(""), Blanks(39));
  std::string line = kDay + "," + kHour + "," + kTemperature + ",," + kWind + ",,";
  std::string result = Collapsed(line);
  EXPECT_EQ(result, kDay + "," + kHour + "," + kTemperature + "," + kWind + "," + Blanks(39 - 10));
  EXPECT_EQ(platform::cp932::CharCount(result), 39u);
}

TEST(CollapseEmptyHeaders, KeepsUpToColumn44) {
  std::string x(50, 'x');
  EXPECT_EQ(Collapsed(x), std::string(44, 'x'));
  // A pair at 43-44 collapses; a pair at 44-45 is cut after its first comma.
  EXPECT_EQ(Collapsed(std::string(42, 'x') + ",,zz"), std::string(42, 'x') + "," + Blanks(0));
  EXPECT_EQ(Collapsed(std::string(43, 'x') + ",,zz"), std::string(43, 'x') + ",");
  std::string wide;
  for (int i = 0; i < 50; ++i) wide += kWind.substr(0, 2);
  EXPECT_EQ(Collapsed(wide).size(), 88u);
}

TEST(ReshapedDataLine, DropsFlagsAndMarksMissingValues) {
  LineFields f;
  f.a = "   12";
  f.flagE = "9";
  EXPECT_EQ(Reshaped(DataLine(f)), "01,01, 12,08,12,-12.3,0.5,///\r\n");

  f = LineFields{};
  f.flagA = f.flagB1 = f.flagB2 = f.flagC = f.flagD = f.flagE = "9";
  f.a = "abcde";
  EXPECT_EQ(Reshaped(DataLine(f)), "01,01,///,//,//,/////,///,///\r\n");

  f = LineFields{};
  f.flagB2 = "9";
  f.flagD = "9";
  f.e = "  7";
  EXPECT_EQ(Reshaped(DataLine(f)), "01,01,123,08,//,-12.3,///,  7\r\n");
  // Anything after column 43 is dropped.
  EXPECT_EQ(Reshaped(DataLine(LineFields{}) + ",extra"), "01,01,123,08,12,-12.3,0.5, 40\r\n");
}

TEST(ReshapedDataLine, EveryFlagMustBeADigit) {
  EXPECT_EQ(Outcome(DataLine(LineFields{})), "01,01,123,08,12,-12.3,0.5, 40\r\n");
  std::string LineFields::*flags[] = {&LineFields::flagA, &LineFields::flagB1, &LineFields::flagB2,
                                      &LineFields::flagC, &LineFields::flagD,  &LineFields::flagE};
  for (auto flag : flags) {
    for (const char* bad : {" ", "x", "+", ",", "/"}) {
      LineFields f;
      f.*flag = bad;
      EXPECT_EQ(Outcome(DataLine(f)), "refused 13") << bad;
      f.a = kDay + "123";  // the same line with a double-byte character
      EXPECT_EQ(Outcome(DataLine(f)), "refused 13") << bad;
    }
  }
  EXPECT_EQ(Outcome(DataLine(LineFields{}).substr(0, 42)), "refused 13");
  EXPECT_EQ(Outcome(""), "refused 13");
}

TEST(ReshapedDataLine, DoubleByteCharactersKeepTheirBytes) {
  LineFields f;
  f.a = kDay + " " +
        "\x82\x50"
        "23";  // columns 7-11: 日, blank, １, 2, 3
  std::string line = DataLine(f);
  EXPECT_EQ(Reshaped(line),
            "01,01,\x82\x50"
            "23,08,12,-12.3,0.5, 40\r\n");
  EXPECT_EQ(platform::cp932::CharCount(Reshaped(line)), 31u);
  f.flagA = "9";
  EXPECT_EQ(Reshaped(DataLine(f)), "01,01,///,08,12,-12.3,0.5, 40\r\n");
  // A half-width katakana byte (one column, one byte, not ASCII) in column 7.
  LineFields kana;
  kana.a = "\xb1 123";
  EXPECT_EQ(Reshaped(DataLine(kana)), "01,01,123,08,12,-12.3,0.5, 40\r\n");
}

// A line whose first 43 characters are single bytes is reshaped by cutting
// bytes, any other line column by column. Column 7 is dropped, so a
// double-byte character there sends an otherwise equal line the other way;
// both must give the same line or the same error.
const std::string kWide = "\x93\xfa";  // 日, one column of two bytes

TEST(ReshapedDataLine, EveryFlagCombinationGivesTheSameLineByBytesAndByColumns) {
  std::string LineFields::*flags[] = {&LineFields::flagA, &LineFields::flagB1, &LineFields::flagB2,
                                      &LineFields::flagC, &LineFields::flagD,  &LineFields::flagE};
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
    EXPECT_EQ(Reshaped(single).size(), 31u);
  }
}

TEST(ReshapedDataLine, EveryColumnChangedGivesTheSameLineByBytesAndByColumns) {
  const std::string base = DataLine(LineFields{}) + ",tail";
  const std::string characters = std::string(" 09-/,.x\t") + "\xb1";
  int kept = 0, refused = 0;
  for (std::size_t at = 0; at < 46; ++at) {
    if (at == 6) continue;
    for (char c : characters) {
      std::string single = base;
      single[at] = c;
      std::string doubled = single.substr(0, 6) + kWide + single.substr(7);
      const std::string bytes = Outcome(single);
      ASSERT_EQ(bytes, Outcome(doubled)) << single;
      ++(bytes.rfind("refused", 0) == 0 ? refused : kept);
    }
  }
  EXPECT_GT(kept, 300);
  EXPECT_GT(refused, 10);  // flags that are no digits
}

}  // namespace
}  // namespace dorvax
