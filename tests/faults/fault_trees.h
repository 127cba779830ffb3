#pragma once
// Source trees for the fault tests, written by the sample-tree generator
// with complete data (every hour of every day), so the size of every output
// file is known from a complete run.
#include <string>
#include <vector>

namespace dorvax::testing {

// The new-edition tree below `root` ("<root>dorvax/hourly/"), every month of
// `months` (yyyymm) listing `stations` stations spread over `areas`.
void WriteSourceTree(const std::string& root, const std::vector<int>& months, int stations,
                     const std::vector<int>& areas = {11, 44});

// Appends `count` station lines to the month's station information file:
// numbers from 50000 on, flag A set, and flag E on every second line (so the
// month gets a SIDX file too). Returns the path of the file.
std::string AppendStationLines(const std::string& root, int yyyymm, int count);

// The month folder / station information file / area folder paths.
std::string MonthFolder(const std::string& root, int yyyymm);
std::string StationFile(const std::string& root, int yyyymm);
std::string AreaFolder(const std::string& root, int yyyymm, int area);

// A station information line of 101 characters with the station number in
// characters 1-5, flag A and, when asked, flag E set.
std::string StationInfoLine(int number, bool valueE);

}  // namespace dorvax::testing
