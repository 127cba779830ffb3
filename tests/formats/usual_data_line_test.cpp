// TryReadHourValues (and TryReadValueE) are the usual line's fast reading in
// day building: whenever it accepts a line, it must give exactly what the
// general reading ReadHourValues gives, and it must never accept a line that
// ReadHourValues refuses. Checked on lines with one or two columns changed to
// every kind of character the reading treats apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/data_line.h"
#include "formats/day_records.h"
#include "formats/hourly_lines.h"
#include "formats/usual_data_line.h"
#include "platform/run_error.h"

namespace dorvax {
namespace {

using testing::DataLine;
using testing::LineFields;

struct Outcome {
  bool raised = false;
  HourValues values;
};

Outcome Reading(const std::string& line, bool withE) {
  Outcome o;
  try {
    o.values = ReadHourValues(line, withE);
  } catch (const platform::RunError&) {
    o.raised = true;
  }
  return o;
}

bool SameValues(const HourValues& x, const HourValues& y, bool withE) {
  return x.day == y.day && x.hour == y.hour && x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d &&
         (!withE || x.e == y.e);
}

// Counts of lines accepted and declined by the fast reading, for the caller
// to see that both readings were used.
struct Tally {
  int accepted = 0;
  int declined = 0;
};

// Day, hour and value E as the general reading gives them, or nothing.
bool GeneralPlaceAndE(const std::string& line, HourValues& v) {
  try {
    v.day = ReadLineDay(line);
    v.hour = ReadLineHour(line);
    v.e = ReadValueE(line);
  } catch (const platform::RunError&) {
    return false;
  }
  return true;
}

void CompareValueE(const std::string& line) {
  HourValues fast, slow;
  if (!TryReadValueE(line, fast)) return;
  ASSERT_TRUE(GeneralPlaceAndE(line, slow)) << "accepted a line that raises: \"" << line << "\"";
  ASSERT_EQ(fast.day, slow.day) << line;
  ASSERT_EQ(fast.hour, slow.hour) << line;
  ASSERT_EQ(fast.e, slow.e) << line;
}

void Compare(const std::string& line, Tally& tally) {
  CompareValueE(line);
  for (bool withE : {false, true}) {
    HourValues fast;
    bool accepted = TryReadHourValues(line, withE, fast);
    Outcome slow = Reading(line, withE);
    if (accepted) {
      ++tally.accepted;
      ASSERT_FALSE(slow.raised) << "accepted a line that raises: \"" << line << "\" withE " << withE;
      ASSERT_TRUE(SameValues(fast, slow.values, withE)) << "\"" << line << "\" withE " << withE;
    } else {
      ++tally.declined;
    }
  }
}

std::vector<std::string> BaseLines() {
  std::vector<std::string> lines;
  LineFields f;
  lines.push_back(DataLine(f));  // every value present
  f.a = "   -5";
  f.b1 = "00";
  f.b2 = "-1";
  f.c = "  0.0";
  f.d = "9.9";
  f.e = "999";
  lines.push_back(DataLine(f));
  f = LineFields{};
  f.flagA = f.flagB1 = f.flagC = f.flagE = "9";  // missing values hold anything
  f.a = "/////";
  f.c = "     ";
  lines.push_back(DataLine(f) + ",beyond column 43");
  return lines;
}

const std::string kCharacters = std::string(" 09-+,.x/\t") + "\x82";

TEST(TryReadHourValues, AgreesWithTheGeneralReadingOnLinesWithOneColumnChanged) {
  Tally tally;
  for (const std::string& base : BaseLines()) {
    Compare(base, tally);
    for (std::size_t at = 0; at < 44 && at < base.size(); ++at) {
      for (char c : kCharacters) {
        std::string line = base;
        line[at] = c;
        Compare(line, tally);
      }
    }
  }
  EXPECT_GT(tally.accepted, 100);
  EXPECT_GT(tally.declined, 100);
}

TEST(TryReadHourValues, AgreesWithTheGeneralReadingOnLinesWithTwoColumnsChanged) {
  Tally tally;
  const std::string base = BaseLines()[0];
  const std::string narrow = " 9-,.x";
  for (std::size_t first = 6; first < 43; ++first) {
    for (std::size_t second = first + 1; second < 43; ++second) {
      for (char c1 : narrow) {
        for (char c2 : narrow) {
          std::string line = base;
          line[first] = c1;
          line[second] = c2;
          Compare(line, tally);
          if (HasFatalFailure()) return;
        }
      }
    }
  }
  EXPECT_GT(tally.accepted, 1000);
}

TEST(TryReadHourValues, LeavesUnusualLinesToTheGeneralReading) {
  HourValues v;
  LineFields f;
  EXPECT_TRUE(TryReadHourValues(DataLine(f), true, v));
  EXPECT_EQ(v.a, 123);
  EXPECT_EQ(v.b, 12 * 256 + 8);
  EXPECT_EQ(v.c, -123);
  EXPECT_EQ(v.d, 5);
  EXPECT_EQ(v.e, 40);
  HourValues e;
  EXPECT_TRUE(TryReadValueE(DataLine(f), e));
  EXPECT_EQ(e.e, 40);
  f.flagE = "9";
  f.e = "///";
  EXPECT_TRUE(TryReadValueE(DataLine(f), e));
  EXPECT_EQ(e.e, MISSING);
  EXPECT_FALSE(TryReadHourValues(DataLine(f).substr(0, 42), false, v));  // too short
  f.a = "  1.5";  // columns 9-12 "1.5," are no number: the general reading reports it
  EXPECT_FALSE(TryReadHourValues(DataLine(f), false, v));
  EXPECT_THROW(ReadHourValues(DataLine(f), false), platform::RunError);
  f = LineFields{};
  f.c = "\t12.3";  // a tab is a blank to the general number rule only
  EXPECT_FALSE(TryReadHourValues(DataLine(f), false, v));
  EXPECT_EQ(ReadHourValues(DataLine(f), false).c, 123);
  f = LineFields{};
  f.a = "\x93\xfa  12";  // a double-byte character: columns are no longer bytes
  EXPECT_FALSE(TryReadHourValues(DataLine(f), false, v));
  EXPECT_EQ(ReadHourValues(DataLine(f), false).a, 12);
}

}  // namespace
}  // namespace dorvax
