// ReadInt16 reads the usual short fields without the general parser; every
// text must still come out exactly as the general reading gives it: the same
// value, or the same error number.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/numeric_text.h"
#include "platform/run_error.h"

namespace dorvax::platform {
namespace {

// The value read, or minus the error number.
int64_t Outcome16(std::string_view text) {
  try {
    return ReadInt16(text);
  } catch (const RunError& e) {
    return -int64_t{e.number()} - 100000;
  }
}

int64_t GeneralOutcome16(std::string_view text) {
  try {
    return ReadInteger(text, INT16_MIN, INT16_MAX);
  } catch (const RunError& e) {
    return -int64_t{e.number()} - 100000;
  }
}

// Every text of up to five characters over an alphabet holding each kind of
// character the grammar treats apart: blank, tab, signs, group comma, decimal
// point, digits (odd, even, 5 for the rounding) and a letter.
TEST(NumericFastPath, AgreesWithTheGeneralReadingOnEveryShortText) {
  const std::string alphabet = " \t+-,.0359x";
  std::string text;
  int checked = 0;
  for (std::size_t length = 0; length <= 5; ++length) {
    std::size_t combinations = 1;
    for (std::size_t i = 0; i < length; ++i) combinations *= alphabet.size();
    for (std::size_t n = 0; n < combinations; ++n) {
      text.clear();
      for (std::size_t i = 0, rest = n; i < length; ++i, rest /= alphabet.size())
        text += alphabet[rest % alphabet.size()];
      ASSERT_EQ(Outcome16(text), GeneralOutcome16(text)) << "\"" << text << "\"";
      ++checked;
    }
  }
  EXPECT_GT(checked, 100000);
}

TEST(NumericFastPath, AgreesAtTheLimitsAndOnLongTexts) {
  for (std::string_view text :
       {"32767",      "-32768",     "32768",    "-32769",       " 32767,",    "3,2767",    "99999,",     "123456789",
        "1234567890", "-999999999", "  -  12 ", ",,,,,,,,5",    ",,,,,,,,,5", "000000012", "0000000012", "+",
        "- ",         " , ",        "12\t",     "\t12",         "1 2",        "12.",       "12.5",       "-0",
        "+0",         "//",         "  ",       "\xe3\x81\x82", "1\xe3"}) {
    EXPECT_EQ(Outcome16(text), GeneralOutcome16(text)) << "\"" << text << "\"";
  }
}

TEST(NumericFastPath, DataLineFields) {
  EXPECT_EQ(ReadInt16(" 12,"), 12);  // value A: three characters and the comma
  EXPECT_EQ(ReadInt16("  5,"), 5);
  EXPECT_EQ(ReadInt16("-123"), -123);  // value C in tenths
  EXPECT_EQ(ReadInt16(" -5"), -5);
  EXPECT_EQ(ReadInt16("08"), 8);
  EXPECT_THROW(ReadInt16("  "), RunError);
  EXPECT_THROW(ReadInt16("///"), RunError);
}

}  // namespace
}  // namespace dorvax::platform
