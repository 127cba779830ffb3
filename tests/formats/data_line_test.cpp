#include "formats/data_line.h"

#include <gtest/gtest.h>

#include "formats/day_records.h"
#include "formats/hourly_lines.h"
#include "platform/run_error.h"
#include "support/error_number.h"

namespace dorvax {
namespace {

using testing::DataLine;
using testing::LineFields;

template <typename F>
int32_t ErrorOf(F&& read) {
  return testing::ErrorNumberOf([&] { read(); });
}

int32_t ErrorOfLine(const LineFields& f, bool withE = true) {
  return ErrorOf([&] { ReadHourValues(DataLine(f), withE); });
}

TEST(DataLineReading, DefaultLineHasTheColumnLayout) {
  std::string line = DataLine(LineFields{});
  ASSERT_EQ(line.size(), 43u);
  EXPECT_EQ(line, "01,01,  123,0,08,0,12,0,-12.3,0,0.5,0, 40,0");
  EXPECT_EQ(line[12], '0');  // flag A at column 13
  EXPECT_EQ(line[27], '.');  // decimal point of C at column 28
  EXPECT_EQ(line[33], '.');  // decimal point of D at column 34
}

TEST(DataLineReading, ValuesOfAPresentLine) {
  LineFields f;
  f.day = "17";
  f.hour = "24";
  HourValues v = ReadHourValues(DataLine(f), true);
  EXPECT_EQ(v.day, 17);
  EXPECT_EQ(v.hour, 24);
  EXPECT_EQ(v.a, 123);
  EXPECT_EQ(v.b, 12 * 256 + 8);  // 3080
  EXPECT_EQ(v.c, -123);
  EXPECT_EQ(v.d, 5);
  EXPECT_EQ(v.e, 40);
  EXPECT_EQ(ReadLineDay(DataLine(f)), 17);
  EXPECT_EQ(ReadLineHour(DataLine(f)), 24);
  EXPECT_EQ(ReadValueE(DataLine(f)), 40);
}

TEST(DataLineReading, TenthsAndLeadingBlanks) {
  LineFields f;
  f.a = "99123";  // columns 7-8 are never read
  f.c = " -0.5";
  f.d = "1.0";
  f.e = "  7";
  HourValues v = ReadHourValues(DataLine(f), true);
  EXPECT_EQ(v.a, 123);
  EXPECT_EQ(v.c, -5);
  EXPECT_EQ(v.d, 10);
  EXPECT_EQ(v.e, 7);
  f.c = "  2.5";
  f.a = "    0";
  v = ReadHourValues(DataLine(f), false);
  EXPECT_EQ(v.c, 25);
  EXPECT_EQ(v.a, 0);
  f.c = "123.4";
  EXPECT_EQ(ReadHourValues(DataLine(f), false).c, 1234);
}

TEST(DataLineReading, ValueBJoinsHighAndLowPart) {
  LineFields f;
  f.b2 = "-1";
  f.b1 = "00";
  EXPECT_EQ(ReadHourValues(DataLine(f), false).b, -256);
  f.b2 = "27";  // 127 is the largest high part that fits, but only two columns
  f.b1 = "99";
  EXPECT_EQ(ReadHourValues(DataLine(f), false).b, 27 * 256 + 99);
}

TEST(DataLineReading, HighPartTimes256MustFitSixteenBits) {
  EXPECT_EQ(JoinValueB(12, 8), 3080);
  EXPECT_EQ(JoinValueB(127, 255), 32767);
  EXPECT_EQ(JoinValueB(-128, 0), -32768);
  EXPECT_EQ(ErrorOf([] { JoinValueB(128, 0); }), 6);
  EXPECT_EQ(ErrorOf([] { JoinValueB(-129, 0); }), 6);
  EXPECT_EQ(ErrorOf([] { JoinValueB(128, -256); }), 6);  // the product alone already overflows
  EXPECT_EQ(ErrorOf([] { JoinValueB(127, 256); }), 6);   // the sum overflows
  EXPECT_EQ(ErrorOf([] { JoinValueB(-128, -1); }), 6);
}

TEST(DataLineReading, MissingValuesAreNeverRead) {
  LineFields f;
  f.flagA = "9";
  f.a = "/////";
  f.flagB1 = "9";
  f.b1 = "//";
  f.b2 = "xx";
  f.flagC = "9";
  f.c = "abcde";
  f.flagD = "9";
  f.d = "   ";
  f.flagE = "9";
  f.e = "///";
  HourValues v = ReadHourValues(DataLine(f), true);
  EXPECT_EQ(v.a, MISSING);
  EXPECT_EQ(v.b, MISSING);
  EXPECT_EQ(v.c, MISSING);
  EXPECT_EQ(v.d, MISSING);
  EXPECT_EQ(v.e, MISSING);
  EXPECT_EQ(ReadValueE(DataLine(f)), MISSING);
}

TEST(DataLineReading, FlagNineMarksAValidNumberMissingOtherFlagsDoNot) {
  LineFields f;
  f.flagB2 = "9";  // B missing through its high part's flag alone
  HourValues v = ReadHourValues(DataLine(f), false);
  EXPECT_EQ(v.b, MISSING);
  EXPECT_EQ(v.a, 123);
  for (char flag = '0'; flag <= '8'; ++flag) {
    f = LineFields{};
    f.flagA = std::string(1, flag);
    f.flagC = std::string(1, flag);
    v = ReadHourValues(DataLine(f), false);
    EXPECT_EQ(v.a, 123) << flag;
    EXPECT_EQ(v.c, -123) << flag;
  }
}

TEST(DataLineReading, BadFlagsAndValuesAreConversionErrors) {
  LineFields f;
  f.flagA = " ";
  EXPECT_EQ(ErrorOfLine(f), 13);
  f = LineFields{};
  f.flagB2 = "x";  // read even though B1's flag already says missing
  f.flagB1 = "9";
  EXPECT_EQ(ErrorOfLine(f), 13);
  f = LineFields{};
  f.c = "  /.3";
  EXPECT_EQ(ErrorOfLine(f), 13);
  f = LineFields{};
  f.a = "     ";  // nothing but the comma
  EXPECT_EQ(ErrorOfLine(f), 13);
  f = LineFields{};
  f.flagE = " ";
  EXPECT_EQ(ErrorOfLine(f, false), 0);  // values A to D never look at value E
  EXPECT_EQ(ErrorOfLine(f, true), 13);
  EXPECT_EQ(ErrorOf([&] { ReadValueE(DataLine(f)); }), 13);
}

TEST(DataLineReading, ShortAndEmptyLinesAreConversionErrors) {
  std::string line = DataLine(LineFields{});
  EXPECT_EQ(ErrorOf([&] { ReadHourValues(line.substr(0, 42), true); }), 13);
  EXPECT_EQ(ErrorOf([&] { ReadHourValues(line.substr(0, 42), false); }), 0);
  EXPECT_EQ(ErrorOf([&] { ReadHourValues(line.substr(0, 36), false); }), 13);
  EXPECT_EQ(ErrorOf([] { ReadLineDay(""); }), 13);
  EXPECT_EQ(ErrorOf([] { ReadLineHour("01,"); }), 13);
}

TEST(DataLineReading, DoubleByteCharactersCountAsOneColumn) {
  // A double-byte character (0x88 0x9F) in column 7 shifts every byte after
  // it by one, but not the columns.
  LineFields f;
  f.a =
      "\x88\x9F"
      "  45";  // five columns, six bytes
  std::string line = DataLine(f);
  ASSERT_EQ(line.size(), 44u);
  HourValues v = ReadHourValues(line, true);
  EXPECT_EQ(v.a, 45);
  EXPECT_EQ(v.b, 3080);
  EXPECT_EQ(v.c, -123);
  EXPECT_EQ(v.d, 5);
  EXPECT_EQ(v.e, 40);
  // A double-byte character inside a value read is not a number.
  f = LineFields{};
  f.e =
      " \x82\x50"
      "0";  // a full-width digit one among three columns
  EXPECT_EQ(ErrorOfLine(f), 13);
}

}  // namespace
}  // namespace dorvax
