#include "platform/numeric_text.h"

#include <gtest/gtest.h>

#include "platform/run_error.h"

namespace dorvax::platform {
namespace {

int32_t ErrorOf(std::string_view text, bool sixteen = true) {
  try {
    if (sixteen)
      ReadInt16(text);
    else
      ReadInt32(text);
  } catch (const RunError& e) {
    return e.number();
  }
  return 0;
}

TEST(NumericText, BlanksSignsAndGroupSeparators) {
  EXPECT_EQ(ReadInt16("  12"), 12);
  EXPECT_EQ(ReadInt16("12  "), 12);
  EXPECT_EQ(ReadInt16("123,"), 123);  // a value field read with its separator
  EXPECT_EQ(ReadInt16("1,234"), 1234);
  EXPECT_EQ(ReadInt16("-123"), -123);
  EXPECT_EQ(ReadInt16(" -05"), -5);
  EXPECT_EQ(ReadInt16("+7"), 7);
  EXPECT_EQ(ReadInt16(" 2"), 2);
  EXPECT_EQ(ReadInt32("44132"), 44132);
}

TEST(NumericText, FractionsRoundHalfToEven) {
  EXPECT_EQ(ReadInt16("2.5"), 2);
  EXPECT_EQ(ReadInt16("3.5"), 4);
  EXPECT_EQ(ReadInt16("-2.5"), -2);
  EXPECT_EQ(ReadInt16("-3.5"), -4);
  EXPECT_EQ(ReadInt16("2.51"), 3);
  EXPECT_EQ(ReadInt16("2.49"), 2);
  EXPECT_EQ(ReadInt16(".5"), 0);
  EXPECT_EQ(ReadInt16("1.50001"), 2);
}

TEST(NumericText, NotANumberIsErrorThirteen) {
  for (std::string_view bad : {"", " ", ",", "-", "abc", "1 2", "12a", "///", "1.2.3", "1e3", "--1"})
    EXPECT_EQ(ErrorOf(bad), kErrTypeMismatch) << "\"" << bad << "\"";
}

TEST(NumericText, OverflowOfTheTargetIsErrorSix) {
  EXPECT_EQ(ReadInt16("32767"), 32767);
  EXPECT_EQ(ReadInt16("-32768"), -32768);
  EXPECT_EQ(ErrorOf("32768"), kErrOverflow);
  EXPECT_EQ(ErrorOf("-32769"), kErrOverflow);
  EXPECT_EQ(ErrorOf("32767.5"), kErrOverflow);  // rounds to 32768
  EXPECT_EQ(ReadInt16("-32768.5"), -32768);     // rounds to the even -32768
  EXPECT_EQ(ReadInt32("2147483647"), 2147483647);
  EXPECT_EQ(ErrorOf("2147483648", false), kErrOverflow);
  EXPECT_EQ(ErrorOf("99999999999999999999999", false), kErrOverflow);
}

TEST(NumericText, TryReadReportsNothingForBadText) {
  EXPECT_EQ(TryReadInt32("199901"), 199901);
  EXPECT_FALSE(TryReadInt32("abc").has_value());
  EXPECT_FALSE(TryReadInteger("40000", INT16_MIN, INT16_MAX).has_value());
}

}  // namespace
}  // namespace dorvax::platform
