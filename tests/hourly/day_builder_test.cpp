#include "hourly/day_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formats/data_line.h"
#include "formats/hourly_lines.h"
#include "formats/usual_data_line.h"
#include "platform/run_error.h"
#include "support/source_tree.h"
#include "support/treegen_oracle.h"

namespace dorvax {
namespace {

using testing::DataLine;
using testing::DataLineAt;
using testing::LineFields;

// One file's data lines, owned by the test; `Lines()` numbers them from 1.
struct File {
  std::vector<std::string> text;
  void Add(const std::string& line) { text.push_back(line); }
  void AddDays(int firstDay, int lastDay) {
    for (int d = firstDay; d <= lastDay; ++d)
      for (int h = 1; h <= 24; ++h) Add(DataLineAt(d, h));
  }
  DataLines Lines() const {
    DataLines lines(1);
    for (const std::string& t : text) lines.emplace_back(t);
    return lines;
  }
};

// The record lists as the station header leaves them.
struct Records {
  DvxRecordList dvx;
  DvsRecordList dvs;
  Records(int16_t year, int16_t month, bool withE) : dvx(2), dvs(1) {
    dvx[1].lngStationNo = 500;
    dvx[1].intKind = 4;
    dvx[1].intYear = year;
    dvx[1].intMonth = month;
    if (withE) {
      DvsDayRecord& s = dvs.emplace_back();
      s.lngStationNo = 500;
      s.intKind = 5;
      s.intYear = year;
      s.intMonth = month;
    }
  }
  void Build(const File& file) { BuildDayRecords(file.Lines(), dvx, dvs); }
};

bool HourMissing(const DvxDayRecord& r, int h) {
  for (int slot = kSlotA; slot <= kSlotC; ++slot)
    if (r.intValue[DvxIndex(h, slot)] != MISSING) return false;
  return true;
}

bool HourHoldsDefaults(const DvxDayRecord& r, int h) {
  return r.intValue[DvxIndex(h, kSlotA)] == 123 && r.intValue[DvxIndex(h, kSlotB)] == 3080 &&
         r.intValue[DvxIndex(h, kSlotD)] == 5 && r.intValue[DvxIndex(h, kSlotC)] == -123;
}

std::vector<int> DaysOf(const DvxRecordList& records) {
  std::vector<int> days;
  for (std::size_t i = 1; i < records.size(); ++i) days.push_back(records[i].intDay);
  return days;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> v;
  for (int d = from; d <= to; ++d) v.push_back(d);
  return v;
}

void ExpectTrailersSet(const DvxRecordList& records) {
  for (std::size_t i = 1; i < records.size(); ++i) {
    EXPECT_EQ(records[i].intTrailer[1], 32767) << i;
    EXPECT_EQ(records[i].intTrailer[15], -1) << i;
    EXPECT_EQ(records[i].intTrailer[17], 9) << i;
    EXPECT_EQ(records[i].lngStationNo, 500) << i;
    EXPECT_EQ(records[i].intKind, 4) << i;
  }
}

TEST(DaysInMonth, TwoDigitYearsAndLeapYears) {
  EXPECT_EQ(DaysInMonth(96, 2), 29);
  EXPECT_EQ(DaysInMonth(99, 2), 28);
  EXPECT_EQ(DaysInMonth(0, 2), 29);     // 2000
  EXPECT_EQ(DaysInMonth(76, 2), 29);    // 1976
  EXPECT_EQ(DaysInMonth(75, 2), 28);    // 2075
  EXPECT_EQ(DaysInMonth(1900, 2), 28);  // full years are used as they are
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(99, 12), 31);
  EXPECT_EQ(DaysInMonth(99, 4), 30);
  EXPECT_EQ(DaysInMonth(99, 13), 0);
  EXPECT_EQ(DaysInMonth(99, 0), 0);
}

// The bytes of a record from the trailer on.
std::string TrailerBytes(const DvxDayRecord& record) {
  unsigned char out[kDvxRecordSize];
  EncodeDvxRecord(record, out);
  return std::string(reinterpret_cast<const char*>(out) + 206, kDvxRecordSize - 206);
}
std::string TrailerBytes(const DvsDayRecord& record) {
  unsigned char out[kDvsRecordSize];
  EncodeDvsRecord(record, out);
  return std::string(reinterpret_cast<const char*>(out) + 60, kDvsRecordSize - 60);
}

// The records of a one-line file of a station with value E, as the
// independent expectation of the old edition writes them.
treegen_oracle::FileRecords ExpectedRecords() {
  const std::string file = testing::HourlyFile(77, "199807", {testing::DataLine(testing::At(9, 1))});
  return treegen_oracle::ConvertBinaryFile(treegen_oracle::SplitLines(file), treegen_oracle::StationEntry{4, 5});
}

TEST(DayRecordParts, AppendCopiesTheHeaderAndTrailersAreTheOldEditions) {
  DvxRecordList dvx(2);
  dvx[1].intLead = 3;
  dvx[1].lngStationNo = 77;
  dvx[1].intKind = -1;
  dvx[1].intYear = 98;
  dvx[1].intMonth = 7;
  dvx[1].intDay = 9;
  dvx[1].intValue[4] = 11;
  AppendDvxDay(dvx);
  ASSERT_EQ(dvx.size(), 3u);
  EXPECT_EQ(dvx[2].intLead, 0);
  EXPECT_EQ(dvx[2].lngStationNo, 77);
  EXPECT_EQ(dvx[2].intKind, -1);
  EXPECT_EQ(dvx[2].intYear, 98);
  EXPECT_EQ(dvx[2].intMonth, 7);
  EXPECT_EQ(dvx[2].intDay, 0);
  EXPECT_EQ(dvx[2].intValue[4], 0);
  InitDvxTrailer(dvx[2]);
  const treegen_oracle::FileRecords expected = ExpectedRecords();
  ASSERT_EQ(expected.dvx.size(), kDvxRecordSize);
  EXPECT_EQ(TrailerBytes(dvx[2]), expected.dvx.substr(206));

  DvsRecordList dvs(2);
  dvs[1].lngStationNo = 77;
  dvs[1].intKind = 5;
  dvs[1].intYear = 98;
  dvs[1].intMonth = 7;
  dvs[1].intDay = 9;
  AppendDvsDay(dvs);
  EXPECT_EQ(dvs[2].lngStationNo, 77);
  EXPECT_EQ(dvs[2].intKind, 5);
  EXPECT_EQ(dvs[2].intMonth, 7);
  EXPECT_EQ(dvs[2].intDay, 0);
  InitDvsTrailer(dvs[2]);
  ASSERT_EQ(expected.dvs.size(), kDvsRecordSize);
  EXPECT_EQ(TrailerBytes(dvs[2]), expected.dvs.substr(60));
}

TEST(BuildDayRecords, CompleteMonthGivesOneRecordPerDay) {
  File file;
  file.AddDays(1, 31);
  ASSERT_EQ(file.text.size(), 744u);
  Records r(99, 1, false);
  r.Build(file);
  EXPECT_EQ(DaysOf(r.dvx), Range(1, 31));
  for (std::size_t i = 1; i < r.dvx.size(); ++i)
    for (int h = 1; h <= 24; ++h) ASSERT_TRUE(HourHoldsDefaults(r.dvx[i], h)) << i << " " << h;
  ExpectTrailersSet(r.dvx);
  EXPECT_EQ(r.dvs.size(), 1u);  // no value E for this station
}

TEST(BuildDayRecords, FileStartingAtHourThree) {
  File file;
  for (int h = 3; h <= 24; ++h) file.Add(DataLineAt(1, h));
  file.AddDays(2, 28);
  Records r(99, 2, false);
  r.Build(file);
  EXPECT_EQ(DaysOf(r.dvx), Range(1, 28));
  EXPECT_TRUE(HourMissing(r.dvx[1], 1));
  EXPECT_TRUE(HourMissing(r.dvx[1], 2));
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[1], 3));
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[28], 24));
}

TEST(BuildDayRecords, FileEndingAtDay30Hour12IsCompletedWithMissingHours) {
  File file;
  file.AddDays(1, 29);
  for (int h = 1; h <= 12; ++h) file.Add(DataLineAt(30, h));
  Records r(99, 1, false);
  r.Build(file);
  std::vector<int> days = Range(1, 30);
  days.push_back(0);  // day 31 is opened while completing the month
  EXPECT_EQ(DaysOf(r.dvx), days);
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[30], 12));
  for (int h = 13; h <= 24; ++h) EXPECT_TRUE(HourMissing(r.dvx[30], h)) << h;
  EXPECT_FALSE(HasDvxValues(r.dvx[31]));
  EXPECT_TRUE(HasDvxValues(r.dvx[30]));
  ExpectTrailersSet(r.dvx);
}

TEST(BuildDayRecords, MissingDayGetsNoRecord) {
  File file;
  file.AddDays(1, 4);
  file.AddDays(6, 31);
  Records r(99, 1, false);
  r.Build(file);
  std::vector<int> days = Range(1, 4);
  for (int d = 6; d <= 31; ++d) days.push_back(d);
  days.push_back(0);  // the 31st day's worth of hours, all missing
  EXPECT_EQ(DaysOf(r.dvx), days);
  EXPECT_FALSE(HasDvxValues(r.dvx.back()));
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[5], 1));  // day 6 follows day 4
}

TEST(BuildDayRecords, LaterDayBeforeHour24FillsTheRestOfTheDay) {
  File file;
  for (int h = 1; h <= 10; ++h) file.Add(DataLineAt(1, h));
  file.Add(DataLineAt(2, 1));
  Records r(99, 1, false);
  r.Build(file);
  ASSERT_GE(r.dvx.size(), 3u);
  EXPECT_EQ(r.dvx[1].intDay, 1);
  for (int h = 11; h <= 24; ++h) EXPECT_TRUE(HourMissing(r.dvx[1], h)) << h;
  EXPECT_EQ(r.dvx[2].intDay, 2);
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[2], 1));
  EXPECT_TRUE(HourMissing(r.dvx[2], 2));
}

TEST(BuildDayRecords, RepeatedLineOpensASecondRecordForTheSameDay) {
  File file;
  file.AddDays(1, 1);
  for (int h = 1; h <= 5; ++h) file.Add(DataLineAt(2, h));
  file.Add(DataLineAt(2, 5));  // repeated
  for (int h = 6; h <= 24; ++h) file.Add(DataLineAt(2, h));
  Records r(99, 1, false);
  r.Build(file);
  // Day 2 twice: the repeat lands at hour 5 of the second day-2 record.
  // Three records of data, then 28 all-missing ones completing 31 days.
  ASSERT_EQ(DaysOf(r.dvx).size(), 3u + 28u);
  EXPECT_EQ(r.dvx[2].intDay, 2);
  EXPECT_EQ(r.dvx[3].intDay, 2);
  for (int h = 6; h <= 24; ++h) EXPECT_TRUE(HourMissing(r.dvx[2], h)) << h;
  for (int h = 1; h <= 4; ++h) EXPECT_TRUE(HourMissing(r.dvx[3], h)) << h;
  for (int h = 5; h <= 24; ++h) EXPECT_TRUE(HourHoldsDefaults(r.dvx[3], h)) << h;
}

TEST(BuildDayRecords, MoreStepsThanTheMonthAddNothing) {
  // 28 complete days of February, each followed by a repeat of its hour 24:
  // every repeat costs a whole day, so the steps exceed 28 * 24.
  File file;
  for (int d = 1; d <= 28; ++d) {
    for (int h = 1; h <= 24; ++h) file.Add(DataLineAt(d, h));
    file.Add(DataLineAt(d, 24));
  }
  Records r(99, 2, false);
  r.Build(file);
  EXPECT_EQ(r.dvx.size(), 1u + 56u);
  EXPECT_EQ(r.dvx.back().intDay, 28);
  EXPECT_TRUE(HourHoldsDefaults(r.dvx.back(), 24));
  EXPECT_TRUE(HourMissing(r.dvx.back(), 23));
  ExpectTrailersSet(r.dvx);
}

TEST(BuildDayRecords, NoDataLinesLeavesEverythingMissing) {
  Records r(99, 1, true);
  r.Build(File{});
  EXPECT_EQ(r.dvx.size(), 1u + 31u);
  EXPECT_EQ(r.dvx[1].intDay, 0);
  for (std::size_t i = 1; i < r.dvx.size(); ++i) EXPECT_FALSE(HasDvxValues(r.dvx[i])) << i;
  EXPECT_EQ(r.dvs.size(), 1u + 31u);
  for (std::size_t i = 1; i < r.dvs.size(); ++i) EXPECT_FALSE(HasDvsValues(r.dvs[i])) << i;
  // A month number that has no days adds nothing.
  Records odd(99, 13, false);
  odd.Build(File{});
  EXPECT_EQ(odd.dvx.size(), 2u);
  EXPECT_EQ(odd.dvx[1].intTrailer[15], -1);
}

TEST(BuildDayRecords, FlagNineMarksOnlyItsSlot) {
  File file;
  LineFields f;
  f.flagB1 = "9";
  f.b1 = "//";
  file.Add(DataLine(f));
  Records r(99, 1, false);
  r.Build(file);
  EXPECT_EQ(r.dvx[1].intValue[DvxIndex(1, kSlotA)], 123);
  EXPECT_EQ(r.dvx[1].intValue[DvxIndex(1, kSlotB)], MISSING);
  EXPECT_EQ(r.dvx[1].intValue[DvxIndex(1, kSlotD)], 5);
  EXPECT_EQ(r.dvx[1].intValue[DvxIndex(1, kSlotC)], -123);
}

TEST(BuildDayRecords, ValueEPassFollowsTheSameSteps) {
  File file;
  for (int h = 3; h <= 24; ++h) file.Add(DataLineAt(1, h));
  file.AddDays(2, 4);
  LineFields missingE;
  missingE.day = "06";
  missingE.hour = "02";
  missingE.flagE = "9";
  missingE.e = "///";
  file.Add(DataLine(missingE));
  file.Add(DataLineAt(6, 3));
  Records r(99, 1, true);
  r.Build(file);
  ASSERT_EQ(r.dvs.size(), r.dvx.size());
  for (std::size_t i = 1; i < r.dvx.size(); ++i) {
    EXPECT_EQ(r.dvs[i].intDay, r.dvx[i].intDay) << i;
    EXPECT_EQ(r.dvs[i].intKind, 5);
    EXPECT_EQ(r.dvs[i].intTrailer[1], 32767);
    EXPECT_EQ(r.dvs[i].intTrailer[10], 9);
  }
  EXPECT_EQ(r.dvs[1].intValue[1], MISSING);
  EXPECT_EQ(r.dvs[1].intValue[3], 40);
  EXPECT_EQ(r.dvs[5].intDay, 6);
  EXPECT_EQ(r.dvs[5].intValue[1], MISSING);
  EXPECT_EQ(r.dvs[5].intValue[2], MISSING);
  EXPECT_EQ(r.dvs[5].intValue[3], 40);
  EXPECT_EQ(r.dvx[5].intValue[DvxIndex(2, kSlotA)], 123);  // only value E was missing
}

// Value E comes from the first pass's reading where that pass read the line
// on its usual road, and from a reading of its own where it did not: a line
// the usual road leaves aside for its value C, one for a plus sign in value
// A, and one with an unusual value E, all among usual lines.
TEST(BuildDayRecords, ValueEOfLinesLeftToTheRaisingReading) {
  File file;
  for (int h = 1; h <= 24; ++h) {
    LineFields f;
    char text[8];
    std::snprintf(text, sizeof text, "%02d", h);
    f.hour = text;
    std::snprintf(text, sizeof text, "%3d", h);  // value E = the hour, right-aligned
    f.e = text;
    if (h == 5) f.c = "  -.5";  // a minus before the decimal point
    if (h == 6) f.a = "  +12";  // a plus sign
    if (h == 7) f.e = "+ 7";    // a sign apart from its digit
    file.Add(DataLine(f));
  }
  const std::vector<std::string>& lines = file.text;
  for (int h : {5, 6, 7}) {
    HourValues v;
    ASSERT_FALSE(TryReadHourValues(lines[h - 1], true, v)) << "line of hour " << h << " is on the usual road";
  }
  Records r(99, 1, true);
  r.Build(file);
  ASSERT_EQ(r.dvs.size(), r.dvx.size());
  EXPECT_EQ(r.dvx[1].intValue[DvxIndex(5, kSlotC)], -5);
  EXPECT_EQ(r.dvx[1].intValue[DvxIndex(6, kSlotA)], 12);
  for (int h = 1; h <= 24; ++h) {
    if (h == 7) continue;
    EXPECT_EQ(r.dvs[1].intValue[h], h) << h;
  }
  EXPECT_EQ(r.dvs[1].intValue[7], ReadValueE(lines[6]));
}

TEST(BuildDayRecords, ValueEIsReadOnlyForStationsWithValueE) {
  File file;
  LineFields f;
  f.flagE = " ";
  file.Add(DataLine(f));
  Records without(99, 1, false);
  EXPECT_NO_THROW(without.Build(file));
  Records with(99, 1, true);
  try {
    with.Build(file);
    FAIL() << "a blank flag of value E must stop the value-E pass";
  } catch (const platform::RunError& e) {
    EXPECT_EQ(e.number(), 13);
  }
}

int32_t BuildError(const File& file, std::string* description = nullptr) {
  Records r(99, 1, true);
  try {
    r.Build(file);
  } catch (const platform::RunError& e) {
    if (description) *description = e.description();
    return e.number();
  }
  return 0;
}

TEST(BuildDayRecords, HourOutsideTheDayStopsTheFileWithItsLineNumber) {
  for (int badHour : {25, 0, 99}) {
    File file;
    file.AddDays(1, 2);
    file.Add(DataLineAt(3, badHour));  // data line 49, file line 53
    file.AddDays(4, 4);
    std::string description;
    EXPECT_EQ(BuildError(file, &description), 13) << badHour;
    EXPECT_NE(description.find("line 53: \"" + DataLineAt(3, badHour) + "\""), std::string::npos) << description;
  }
  // As the very first line, and with a negative hour.
  File first;
  LineFields f;
  f.hour = "-1";
  first.Add(DataLine(f));
  std::string description;
  EXPECT_EQ(BuildError(first, &description), 13);
  EXPECT_NE(description.find("line 5: "), std::string::npos) << description;
}

TEST(BuildDayRecords, EarlierErrorsComeFirst) {
  File file;
  LineFields f;
  f.flagA = " ";
  file.Add(DataLine(f));        // a blank flag on the first line
  file.Add(DataLineAt(1, 30));  // and an impossible hour after it
  std::string description;
  EXPECT_EQ(BuildError(file, &description), 13);
  // The failure names the first data line of the file (its line 5).
  EXPECT_NE(description.find("(line 5: \""), std::string::npos) << description;
}

TEST(BuildDayRecords, AnyDayNumberIsPlacedAndEnds) {
  // Days outside 1..31 never stop the stepping: the record opened for the
  // line takes its day.
  File file;
  file.Add(DataLineAt(1, 1));
  file.Add(DataLineAt(0, 5));
  file.Add(DataLineAt(99, 5));
  file.Add(DataLineAt(99, 6));
  LineFields negative;
  negative.day = "-3";
  negative.hour = "24";
  file.Add(DataLine(negative));
  Records r(99, 1, false);
  r.Build(file);
  std::vector<int> days = {1, 0, 99, -3};
  days.resize(31, 0);  // the month is completed after four days' worth of steps
  EXPECT_EQ(DaysOf(r.dvx), days);
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[2], 5));
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[3], 5));
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[3], 6));
  EXPECT_TRUE(HourHoldsDefaults(r.dvx[4], 24));
}

TEST(BuildDayRecords, StepsStayBoundedForBackwardRunningLines) {
  // Every line one hour behind the previous one: each costs a new record.
  File file;
  for (int d = 1; d <= 20; ++d)
    for (int h = 24; h >= 1; --h) file.Add(DataLineAt(d, h));
  Records r(99, 1, true);
  r.Build(file);
  // One record per line at most, plus the first.
  EXPECT_LE(r.dvx.size(), file.text.size() + 2);
  EXPECT_EQ(r.dvs.size(), r.dvx.size());
  EXPECT_TRUE(HourHoldsDefaults(r.dvx.back(), 1));
}

TEST(BuildDayRecords, UnparsableDayOrHourIsAConversionError) {
  File file;
  LineFields f;
  f.day = "  ";
  file.Add(DataLine(f));
  EXPECT_EQ(BuildError(file), 13);
  File other;
  other.Add(DataLineAt(1, 1));
  other.Add("");  // a blank line at the end of the file
  EXPECT_EQ(BuildError(other), 13);
}

}  // namespace
}  // namespace dorvax
