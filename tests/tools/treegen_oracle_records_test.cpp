// Day records of the binary era as the oracle expects them, checked against
// bytes worked out by hand from the record layout and the hour stepping.
#include "support/treegen_oracle.h"
#include "treegen.h"

#include <gtest/gtest.h>

namespace {

using treegen_oracle::ConvertBinaryFile;
using treegen_oracle::StationEntry;

constexpr std::size_t kDvx = 256;
constexpr std::size_t kDvs = 80;

// Header line 2 with the station number in columns 1-5, year 40-41, month 43-44.
std::string Header2(const std::string& number5, const std::string& yy, const std::string& mm) {
  return number5 + "," + std::string(32, ' ') + "," + yy + "," + mm + ",x";
}

std::vector<std::string> File(const std::string& number5, const std::string& yy, const std::string& mm,
                              const std::vector<std::string>& data) {
  std::vector<std::string> lines = {"title", Header2(number5, yy, mm), "day,hour,A,Flag", ",,"};
  lines.insert(lines.end(), data.begin(), data.end());
  return lines;
}

std::string FullLine(int day, int hour, int a = 10) {
  return treegen::FormatDataLine(day, hour, {a, 0}, {3, 0}, {4, 0}, {-12, 0}, {5, 0}, {6, 0});
}

std::vector<std::string> Days(int from, int to, int skipDay = 0) {
  std::vector<std::string> lines;
  for (int d = from; d <= to; ++d) {
    if (d == skipDay) continue;
    for (int h = 1; h <= 24; ++h) lines.push_back(FullLine(d, h));
  }
  return lines;
}

int Int16At(const std::string& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[offset]) |
                                   (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

// intValue((hour-1)*4 + slot) of DVX record `record` (0-based).
int Slot(const std::string& dvx, std::size_t record, int hour, int slot) {
  return Int16At(dvx, record * kDvx + 14 + static_cast<std::size_t>(((hour - 1) * 4 + slot - 1) * 2));
}

int DayOf(const std::string& dvx, std::size_t record) { return Int16At(dvx, record * kDvx + 12); }

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

TEST(OracleRecords, RecordHeaderAndTrailerBytes) {
  const auto out = ConvertBinaryFile(File("  500", "99", "01", {"01,01,  123,0,05,0,12,0, 12.5,0,0.5,0,  5,0"}),
                                     StationEntry{4, -1});
  ASSERT_EQ(out.dvx.size(), kDvx);  // the 30 completed days hold nothing and are left out
  EXPECT_TRUE(out.dvs.empty());
  EXPECT_EQ(out.dvx.substr(0, 14),
            Bytes({0x00, 0x00, 0xF4, 0x01, 0x00, 0x00, 0x04, 0x00, 0x63, 0x00, 0x01, 0x00, 0x01, 0x00}));
  // Hour 1: A 123, B 12 * 256 + 5, D 0.5, C 12.5; hour 2 missing with B as -1.
  EXPECT_EQ(out.dvx.substr(14, 16),
            Bytes({0x7B, 0x00, 0x05, 0x0C, 0x05, 0x00, 0x7D, 0x00, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F}));
  EXPECT_EQ(out.dvx.substr(206, 8), Bytes({0xFF, 0x7F, 0x09, 0x00, 0xFF, 0x7F, 0x00, 0x00}));
  EXPECT_EQ(out.dvx.substr(206 + 14 * 2, 2), Bytes({0xFF, 0xFF}));  // intTrailer(15)
  EXPECT_EQ(out.dvx.substr(240, 16), std::string(16, '\0'));
}

TEST(OracleRecords, HoursBeforeTheFirstLineAreMissing) {
  const auto out = ConvertBinaryFile(File("44132", "99", "01", {FullLine(1, 3), FullLine(1, 4)}), StationEntry{1, -1});
  ASSERT_EQ(out.dvx.size(), kDvx);
  EXPECT_EQ(Int16At(out.dvx, 6), 1);  // kind from the table entry
  for (int hour : {1, 2}) {
    EXPECT_EQ(Slot(out.dvx, 0, hour, 1), 32767);
    EXPECT_EQ(Slot(out.dvx, 0, hour, 2), -1);
    EXPECT_EQ(Slot(out.dvx, 0, hour, 3), 32767);
    EXPECT_EQ(Slot(out.dvx, 0, hour, 4), 32767);
  }
  EXPECT_EQ(Slot(out.dvx, 0, 3, 1), 10);
  EXPECT_EQ(Slot(out.dvx, 0, 3, 2), 4 * 256 + 3);
  EXPECT_EQ(Slot(out.dvx, 0, 3, 3), 5);
  EXPECT_EQ(Slot(out.dvx, 0, 3, 4), -12);
  EXPECT_EQ(Slot(out.dvx, 0, 5, 1), 32767);
}

TEST(OracleRecords, MissingDayGetsNoRecord) {
  const auto out = ConvertBinaryFile(File("44132", "99", "01", Days(1, 31, 5)), std::nullopt);
  ASSERT_EQ(out.dvx.size(), 30 * kDvx);
  EXPECT_EQ(Int16At(out.dvx, 6), 4);  // not in the table: kind 4
  EXPECT_EQ(DayOf(out.dvx, 3), 4);
  EXPECT_EQ(DayOf(out.dvx, 4), 6);
  EXPECT_EQ(DayOf(out.dvx, 29), 31);
  EXPECT_EQ(Slot(out.dvx, 4, 1, 1), 10);
}

TEST(OracleRecords, LaterDayBeforeHourTwentyFourWaitsForTheNextRecord) {
  std::vector<std::string> data;
  for (int h = 1; h <= 20; ++h) data.push_back(FullLine(1, h));
  for (int h = 21; h <= 24; ++h) data.push_back(FullLine(2, h, 77));
  data.push_back(FullLine(3, 1, 88));
  const auto out = ConvertBinaryFile(File("44132", "99", "01", data), StationEntry{4, -1});
  ASSERT_EQ(out.dvx.size(), 3 * kDvx);
  EXPECT_EQ(DayOf(out.dvx, 0), 1);
  EXPECT_EQ(Slot(out.dvx, 0, 20, 1), 10);
  EXPECT_EQ(Slot(out.dvx, 0, 21, 1), 32767);  // day 2's line is not put into day 1
  EXPECT_EQ(DayOf(out.dvx, 1), 2);
  EXPECT_EQ(Slot(out.dvx, 1, 20, 1), 32767);
  EXPECT_EQ(Slot(out.dvx, 1, 21, 1), 77);
  EXPECT_EQ(DayOf(out.dvx, 2), 3);
  EXPECT_EQ(Slot(out.dvx, 2, 1, 1), 88);
}

TEST(OracleRecords, RepeatedLineOpensASecondRecordForTheSameDay) {
  std::vector<std::string> data = Days(1, 31);
  data.insert(data.begin() + 5, FullLine(1, 5, 99));  // hour 5 of day 1 twice, the copy with A = 99
  const auto out = ConvertBinaryFile(File("44132", "99", "01", data), StationEntry{4, -1});
  ASSERT_EQ(out.dvx.size(), 32 * kDvx);
  EXPECT_EQ(DayOf(out.dvx, 0), 1);
  EXPECT_EQ(DayOf(out.dvx, 1), 1);
  EXPECT_EQ(DayOf(out.dvx, 2), 2);
  EXPECT_EQ(Slot(out.dvx, 0, 5, 1), 10);
  EXPECT_EQ(Slot(out.dvx, 0, 6, 1), 32767);  // rest of the first day missing
  EXPECT_EQ(Slot(out.dvx, 0, 24, 2), -1);
  EXPECT_EQ(Slot(out.dvx, 1, 4, 1), 32767);  // second record waits for hour 5
  EXPECT_EQ(Slot(out.dvx, 1, 5, 1), 99);
  EXPECT_EQ(Slot(out.dvx, 1, 6, 1), 10);
}

TEST(OracleRecords, HoursNeverSteppedKeepZero) {
  // One repeated line gives 24 extra steps, so a file ending at day 31 hour 20
  // exceeds 744 steps and is not completed: hours 21-24 of day 31 stay 0.
  std::vector<std::string> data = Days(1, 31);
  data.resize(data.size() - 4);
  data.insert(data.begin() + 5, FullLine(1, 5));
  const auto out = ConvertBinaryFile(File("44132", "99", "01", data), StationEntry{4, -1});
  ASSERT_EQ(out.dvx.size(), 32 * kDvx);
  EXPECT_EQ(DayOf(out.dvx, 31), 31);
  EXPECT_EQ(Slot(out.dvx, 31, 20, 1), 10);
  EXPECT_EQ(Slot(out.dvx, 31, 21, 1), 0);
  EXPECT_EQ(Slot(out.dvx, 31, 24, 2), 0);
}

TEST(OracleRecords, EarlyEndCompletesTheDayWithMissing) {
  std::vector<std::string> data = Days(1, 29);
  for (int h = 1; h <= 12; ++h) data.push_back(FullLine(30, h));
  const auto out = ConvertBinaryFile(File("44132", "99", "01", data), StationEntry{4, -1});
  ASSERT_EQ(out.dvx.size(), 30 * kDvx);
  EXPECT_EQ(DayOf(out.dvx, 29), 30);
  EXPECT_EQ(Slot(out.dvx, 29, 12, 1), 10);
  EXPECT_EQ(Slot(out.dvx, 29, 13, 1), 32767);
  EXPECT_EQ(Slot(out.dvx, 29, 24, 2), -1);
}

TEST(OracleRecords, FlagNineMarksOnlyItsValue) {
  const std::string bMissing = "01,01,  123,0,05,9,12,0, 12.5,0,0.5,0,  5,0";
  const std::string b2Missing = "01,02,  123,0,05,0,//,9, 12.5,0,0.5,0,  5,0";
  const std::string allMissing = "02,01,/////,9,//,9,//,9,/////,9,///,9,///,9";
  const auto out = ConvertBinaryFile(File("44132", "99", "01", {bMissing, b2Missing, allMissing}), StationEntry{4, -1});
  ASSERT_EQ(out.dvx.size(), kDvx);  // day 2 holds no value and is not written
  EXPECT_EQ(Slot(out.dvx, 0, 1, 1), 123);
  EXPECT_EQ(Slot(out.dvx, 0, 1, 2), -1);
  EXPECT_EQ(Slot(out.dvx, 0, 1, 4), 125);
  EXPECT_EQ(Slot(out.dvx, 0, 2, 2), -1);
  EXPECT_EQ(Slot(out.dvx, 0, 2, 3), 5);
}

TEST(OracleRecords, ValueERecordsOnlyForStationsMarkedInTheTable) {
  const std::vector<std::string> data = {FullLine(1, 1), "01,02,   10,0,03,0,04,0, -1.2,0,0.5,0,///,9"};
  const auto snow = ConvertBinaryFile(File("44132", "99", "02", data), StationEntry{-1, 5});
  ASSERT_EQ(snow.dvs.size(), kDvs);
  EXPECT_EQ(snow.dvs.substr(0, 12), Bytes({0x64, 0xAC, 0x00, 0x00, 0x05, 0x00, 0x63, 0x00, 0x02, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Int16At(snow.dvs, 12), 6);
  EXPECT_EQ(Int16At(snow.dvs, 14), 32767);
  EXPECT_EQ(snow.dvs.substr(60, 4), Bytes({0xFF, 0x7F, 0x09, 0x00}));
  EXPECT_EQ(snow.dvs.substr(76, 4), Bytes({0xFF, 0x7F, 0x09, 0x00}));
  EXPECT_EQ(Int16At(snow.dvx, 6), -1);

  EXPECT_TRUE(ConvertBinaryFile(File("44132", "99", "02", data), std::nullopt).dvs.empty());
  EXPECT_TRUE(ConvertBinaryFile(File("44132", "99", "02", data), StationEntry{4, -1}).dvs.empty());
}

TEST(OracleRecords, BadInputStopsTheConversion) {
  using treegen_oracle::ConversionStop;
  const auto code = [](const std::vector<std::string>& lines) {
    try {
      ConvertBinaryFile(lines, StationEntry{4, -1});
    } catch (const ConversionStop& stop) {
      return stop.code;
    }
    return -1;
  };
  EXPECT_EQ(code({"title", Header2("44132", "99", "01"), "x"}), 62);
  EXPECT_EQ(code(File("44132", "99", "01", {"01,01,  123, ,05,0,12,0, 12.5,0,0.5,0,  5,0"})), 13);
  EXPECT_EQ(code(File("44132", "99", "01", {"01,01,  1x3,0,05,0,12,0, 12.5,0,0.5,0,  5,0"})), 13);
  EXPECT_EQ(code({"title", "44132," + std::string(32, ' ') + ",99,", "x", "y"}), 13);  // line 2 ends before the month
  EXPECT_EQ(code(File("44132", "99", "01", {""})), 13);
  EXPECT_EQ(code(File("44132", "99", "01", {"01,25,  123,0,05,0,12,0, 12.5,0,0.5,0,  5,0"})), 13);
}

TEST(OracleRecords, DaysInMonthReadsTwoDigitYears) {
  using treegen_oracle::DaysInMonth;
  EXPECT_EQ(DaysInMonth(96, 2), 29);
  EXPECT_EQ(DaysInMonth(99, 2), 28);
  EXPECT_EQ(DaysInMonth(0, 2), 29);
  EXPECT_EQ(DaysInMonth(76, 2), 29);  // 1976
  EXPECT_EQ(DaysInMonth(75, 2), 28);  // 2075
  EXPECT_EQ(DaysInMonth(99, 12), 31);
  EXPECT_EQ(DaysInMonth(99, 13), 0);
}

}  // namespace
