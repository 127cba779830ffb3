#include "formats/folder_names.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvax {
namespace {

struct MonthCase {
  const char* name;
  bool valid;
  int16_t year;
};

TEST(CheckYearMonthName, AcceptsYearsFrom1974To2099AndMonthsUpTo12) {
  const MonthCase cases[] = {
      {"199901", true, 1999}, {"200512", true, 2005}, {"200500", true, 2005}, {"197401", true, 1974},
      {"209912", true, 2099}, {"200513", false, 0},   {"197312", false, 0},   {"210001", false, 0},
      {"2005", false, 0},     {"abc", false, 0},      {"", false, 0},         {"-199901", false, 0},
      {"19990a", false, 0},
  };
  for (const MonthCase& c : cases) {
    int16_t year = -7;
    bool valid = !c.valid;
    CheckYearMonthName(c.name, year, valid);
    EXPECT_EQ(valid, c.valid) << c.name;
    // The year is only written for a valid name.
    EXPECT_EQ(year, c.valid ? c.year : -7) << c.name;
  }
}

TEST(CheckYearMonthName, ReadsTheNameByTheNumericRule) {
  // Blanks around the number are ignored and a fraction is rounded, as for
  // every number read from text.
  int16_t year = 0;
  bool valid = false;
  CheckYearMonthName(" 199901 ", year, valid);
  EXPECT_TRUE(valid);
  EXPECT_EQ(year, 1999);
  CheckYearMonthName("199911.6", year, valid);
  EXPECT_TRUE(valid);  // 199912
  CheckYearMonthName("199912.6", year, valid);
  EXPECT_FALSE(valid);  // 199913
  CheckYearMonthName("99999999999", year, valid);
  EXPECT_FALSE(valid);  // beyond 32 bits
}

TEST(CheckAreaName, AcceptsAreaFollowedBy11To94InAnyLetterCase) {
  const std::pair<const char*, bool> cases[] = {
      {"area11", true},  {"area94", true},   {"AREA23", true}, {"ArEa50", true},   {"area10", false},
      {"area95", false}, {"area011", false}, {"area1", false}, {"areaXY", false},  {"area1 ", false},
      {"area+1", false}, {"areb23", false},  {"", false},      {"ａrea23", false},
  };
  for (const auto& [name, expected] : cases) {
    bool valid = !expected;
    CheckAreaName(name, valid);
    EXPECT_EQ(valid, expected) << name;
  }
}

}  // namespace
}  // namespace dorvax
