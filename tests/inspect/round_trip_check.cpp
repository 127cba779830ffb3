// A generated new-edition tree, converted by the batch program, dumped by
// dorvax-dump: every value of the dump must be the value of its source line,
// and every source day with a value must have its record. Compiled only when
// the generator and the batch program are part of the build.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "inspect_fixtures.h"
#include "support/temp_dir.h"
#include "treegen.h"

namespace dorvax::inspect::testing {
namespace {

using dorvax::testing::TempDir;

std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

// Data rows of a CSV dump keyed by (station, day); the header is dropped.
std::map<std::pair<int, int>, std::vector<std::string>> RowsByStationDay(const std::string& csv) {
  std::map<std::pair<int, int>, std::vector<std::string>> rows;
  std::stringstream in(csv);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    auto cells = SplitCsv(line);
    auto key = std::make_pair(std::stoi(cells.at(2)), std::stoi(cells.at(6)));
    EXPECT_TRUE(rows.emplace(key, cells).second) << "two records for station " << key.first << " day " << key.second;
  }
  return rows;
}

std::string Number(const treegen::Reading& r) { return r.Missing() ? "" : std::to_string(r.value); }

std::string Tenths(const treegen::Reading& r) {
  if (r.Missing()) return "";
  int magnitude = r.value < 0 ? -r.value : r.value;
  return (r.value < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

bool AnyValueAtoD(const treegen::DataLine& l) {
  return !l.a.Missing() || !(l.b1.Missing() || l.b2.Missing()) || !l.c.Missing() || !l.d.Missing();
}

class RoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    treegen::Options options;
    options.root = std::filesystem::path(dir / "src");
    options.months = {199901};
    options.seed = 20240611;
    options.stations = 12;
    options.areas = {44, 45};
    options.missingHour = 0.02;
    options.missingDay = 0.05;
    options.earlyEnd = 0.2;
    options.missingValue = 0.1;
    options.valueE = 0.5;
    model = treegen::Generate(options);
    std::filesystem::create_directories(std::filesystem::path(dir / "out"));
    RunResult run = RunProgram(DORVAX_HCONV_BATCH_EXE, {"--yes", dir / "src", dir / "out"});
    ASSERT_EQ(run.code, 0) << run.err;
  }

  std::string Dumped(const std::string& name) {
    RunResult r = RunProgram(DORVAX_DUMP_EXE, {dir / ("out/dorvax/1999/" + name)});
    EXPECT_EQ(r.code, 0) << r.err;
    return r.out;
  }

  TempDir dir;
  treegen::Model model;
};

TEST_F(RoundTrip, DumpedDvxValuesAreTheSourceValues) {
  auto rows = RowsByStationDay(Dumped("DVX1999.01"));
  std::set<std::pair<int, int>> daysWithValues;
  const treegen::MonthModel& month = model.months.at(0);
  std::map<int, int> kindOf;
  for (const auto& s : month.stations) kindOf.emplace(static_cast<int>(s.stationNo), s.kind);
  for (const treegen::HourlyFile& file : month.files) {
    for (const treegen::DataLine& line : file.lines) {
      auto key = std::make_pair(static_cast<int>(file.stationNo), line.day);
      auto row = rows.find(key);
      if (!AnyValueAtoD(line)) {
        if (row != rows.end()) {
          EXPECT_EQ(row->second.at(7 + (line.hour - 1) * 5), "");
        }
        continue;
      }
      daysWithValues.insert(key);
      ASSERT_NE(row, rows.end()) << "no record for station " << key.first << " day " << key.second;
      const auto& cells = row->second;
      auto kind = kindOf.find(key.first);
      EXPECT_EQ(cells.at(3), std::to_string(file.listed && kind != kindOf.end() ? kind->second : 4));
      EXPECT_EQ(cells.at(4), "99");
      EXPECT_EQ(cells.at(5), "1");
      std::size_t at = 7 + static_cast<std::size_t>(line.hour - 1) * 5;
      bool bMissing = line.b1.Missing() || line.b2.Missing();
      SCOPED_TRACE("station " + std::to_string(key.first) + " day " + std::to_string(line.day) + " hour " +
                   std::to_string(line.hour) + ": " + line.text);
      EXPECT_EQ(cells.at(at), Number(line.a));
      EXPECT_EQ(cells.at(at + 1), bMissing ? "" : std::to_string(line.b1.value));
      EXPECT_EQ(cells.at(at + 2), bMissing ? "" : std::to_string(line.b2.value));
      EXPECT_EQ(cells.at(at + 3), Tenths(line.c));
      EXPECT_EQ(cells.at(at + 4), Tenths(line.d));
    }
  }
  EXPECT_EQ(rows.size(), daysWithValues.size());
  EXPECT_GT(rows.size(), 100u);
}

TEST_F(RoundTrip, DumpedDvsValuesAreTheSourceValues) {
  const treegen::MonthModel& month = model.months.at(0);
  std::set<int> snowStations;
  for (const auto& s : month.stations)
    if (s.snow == 5) snowStations.insert(static_cast<int>(s.stationNo));
  ASSERT_FALSE(snowStations.empty());
  auto rows = RowsByStationDay(Dumped("DVS1999.01"));
  std::size_t checked = 0;
  for (const treegen::HourlyFile& file : month.files) {
    bool hasE = file.listed && snowStations.count(static_cast<int>(file.stationNo)) > 0;
    for (const treegen::DataLine& line : file.lines) {
      auto row = rows.find({static_cast<int>(file.stationNo), line.day});
      if (!hasE || line.e.Missing()) {
        if (row != rows.end()) {
          EXPECT_EQ(row->second.at(6 + line.hour), "");
        }
        continue;
      }
      ASSERT_NE(row, rows.end()) << "no DVS record for station " << file.stationNo << " day " << line.day;
      EXPECT_EQ(row->second.at(3), "5");
      EXPECT_EQ(row->second.at(6 + line.hour), std::to_string(line.e.value)) << line.text;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0u);
}

TEST_F(RoundTrip, IndexLinesListTheStationsAndASecondConversionIsIdentical) {
  RunResult idx = RunProgram(DORVAX_DUMP_EXE, {"--json", dir / "out/dorvax/1999/STNIDX/IDX/IDX1999.01"});
  ASSERT_EQ(idx.code, 0) << idx.err;
  std::size_t expectedLines = 0;
  for (const auto& s : model.months.at(0).stations) {
    if (s.kind == -1) continue;
    ++expectedLines;
    EXPECT_NE(idx.out.find("\"station\":" + std::to_string(s.stationNo) + ","), std::string::npos);
  }
  EXPECT_EQ(CountLines(idx.out), expectedLines);

  std::filesystem::create_directories(std::filesystem::path(dir / "again"));
  ASSERT_EQ(RunProgram(DORVAX_HCONV_BATCH_EXE, {"--yes", dir / "src", dir / "again"}).code, 0);
  RunResult same = RunProgram(DORVAX_COMPARE_EXE, {dir / "out/dorvax", dir / "again/dorvax"});
  EXPECT_EQ(same.code, 0) << same.out;
}

}  // namespace
}  // namespace dorvax::inspect::testing
