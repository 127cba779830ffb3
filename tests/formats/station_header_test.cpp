#include "formats/station_header.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/run_error.h"

namespace dorvax {
namespace {

// Line 2 of an hourly file: station number in columns 1-5, a title, the year
// in columns 40-41 and the month in 43-44. `titleChars` is how many columns
// the title takes (a double-byte character is one column).
std::string HeaderLine(const std::string& station, const std::string& year, const std::string& month,
                       const std::string& title = ",Station", std::size_t titleChars = 8) {
  std::string line = station + title + std::string(34 - titleChars, ' ') + year + "," + month;
  return line;
}

struct Lists {
  DvxRecordList dvx = DvxRecordList(2);
  DvsRecordList dvs = DvsRecordList(1);
};

StationTable TableOf(std::initializer_list<StationInfo> entries) {
  StationTable table;
  for (const StationInfo& e : entries) table.Append(e);
  return table;
}

TEST(StationHeader, ListedStationTakesItsKindAndGetsValueERecord) {
  Lists l;
  StationTable table = TableOf({{99, 1, 400, 1, -1}, {99, 1, 500, -1, 5}});
  ReadStationHeader(HeaderLine("  500", "99", "01"), table, l.dvx, l.dvs);
  ASSERT_EQ(l.dvx.size(), 2u);
  const DvxDayRecord& r = l.dvx[1];
  EXPECT_EQ(r.intLead, 0);
  EXPECT_EQ(r.lngStationNo, 500);
  EXPECT_EQ(r.intKind, -1);
  EXPECT_EQ(r.intYear, 99);
  EXPECT_EQ(r.intMonth, 1);
  EXPECT_EQ(r.intDay, 0);
  ASSERT_EQ(l.dvs.size(), 2u);
  const DvsDayRecord& s = l.dvs[1];
  EXPECT_EQ(s.lngStationNo, 500);
  EXPECT_EQ(s.intKind, 5);
  EXPECT_EQ(s.intYear, 99);
  EXPECT_EQ(s.intMonth, 1);
  EXPECT_EQ(s.intDay, 0);
}

TEST(StationHeader, UnlistedStationIsKindFourWithoutValueE) {
  Lists l;
  // Same station in another month and another year: not the key.
  StationTable table = TableOf({{99, 2, 500, 1, 5}, {98, 1, 500, 1, 5}});
  ReadStationHeader(HeaderLine("  500", "99", "01"), table, l.dvx, l.dvs);
  EXPECT_EQ(l.dvx[1].intKind, 4);
  EXPECT_EQ(l.dvs.size(), 1u);

  Lists empty;
  ReadStationHeader(HeaderLine("  500", "99", "01"), StationTable{}, empty.dvx, empty.dvs);
  EXPECT_EQ(empty.dvx[1].intKind, 4);
  EXPECT_EQ(empty.dvs.size(), 1u);
}

TEST(StationHeader, FirstOfTwoEntriesWithTheSameKeyDecides) {
  Lists l;
  StationTable table = TableOf({{99, 1, 500, 1, -1}, {99, 1, 500, 4, 5}});
  ReadStationHeader(HeaderLine("  500", "99", "01"), table, l.dvx, l.dvs);
  EXPECT_EQ(l.dvx[1].intKind, 1);
  EXPECT_EQ(l.dvs.size(), 1u);
}

TEST(StationHeader, ColumnsCountCharactersAndAcceptBlanks) {
  Lists l;
  // Four double-byte characters take four columns but eight bytes.
  std::string title = ",\x8a\xcf\x91\xaa\x8f\x8a";  // ",観測所" (comma + three characters)
  StationTable table = TableOf({{2, 12, 12345, 1, -1}});
  ReadStationHeader(HeaderLine("12345", " 2", "12", title, 4), table, l.dvx, l.dvs);
  EXPECT_EQ(l.dvx[1].lngStationNo, 12345);
  EXPECT_EQ(l.dvx[1].intYear, 2);
  EXPECT_EQ(l.dvx[1].intMonth, 12);
  EXPECT_EQ(l.dvx[1].intKind, 1);
}

TEST(StationHeader, MissingNumbersAreConversionErrors) {
  auto errorOf = [](const std::string& line) {
    Lists l;
    try {
      ReadStationHeader(line, StationTable{}, l.dvx, l.dvs);
    } catch (const platform::RunError& e) {
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(errorOf(HeaderLine("  500", "99", "01")), 0);
  EXPECT_EQ(errorOf(HeaderLine("  500", "99", "01").substr(0, 42)), 13);  // ends before column 43
  EXPECT_EQ(errorOf(HeaderLine("     ", "99", "01")), 13);
  EXPECT_EQ(errorOf(HeaderLine("  500", "  ", "01")), 13);
  EXPECT_EQ(errorOf(""), 13);
}

}  // namespace
}  // namespace dorvax
