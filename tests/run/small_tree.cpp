#include "run/small_tree.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/native_path.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

namespace {

const std::string kCrLf = "\r\n";

std::string Digits(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

// A station line with the number in characters 1-5 and flags A-E at 93,
// 95, 97, 99 and 101 (A set, E as asked).
std::string StationLine(const SmallStation& station) {
  std::string line(101, ' ');
  line.replace(0, 5, Digits(station.number, 5));
  line[5] = ',';
  line.replace(6, 7, "Station");
  for (int pos : {93, 95, 97, 99, 101}) line[pos - 1] = '0';
  line[92] = '1';
  if (station.valueE) line[100] = '1';
  return line;
}

std::string StationInfo(const std::vector<SmallStation>& stations) {
  std::string text = "station information" + kCrLf + "number,name" + kCrLf;
  for (const SmallStation& s : stations) text += StationLine(s) + kCrLf;
  return text;
}

// Header line 2: station number in 1-5, year in 40-41, month in 43-44.
std::string StationHeader(int number, const std::string& yyyymm) {
  std::string line(44, ' ');
  line.replace(0, 5, Digits(number, 5));
  line.replace(39, 2, yyyymm.substr(2, 2));
  line[41] = ',';
  line.replace(42, 2, yyyymm.substr(4, 2));
  return line;
}

std::string HourlyFile(const SmallStation& station, const std::string& yyyymm) {
  std::string text = "hourly values" + kCrLf + StationHeader(station.number, yyyymm) + kCrLf +
                     "day,hour,A,Flag,B1,Flag,B2,Flag,C,Flag,D,Flag,E,Flag" + kCrLf + "d,h,a,,b1,,b2,,c,,d,,e,," +
                     kCrLf;
  for (int day = 1; day <= station.days; ++day)
    for (int hour = 1; hour <= 24; ++hour) text += SmallDataLine(day, hour) + kCrLf;
  return text;
}

}  // namespace

void WriteMonth(const std::string& root, const std::string& yyyymm, const std::vector<SmallStation>& stations) {
  const std::string sep = platform::Sep();
  std::string month = HourlyRoot(root) + yyyymm + sep;
  MakeFolders(month);
  WriteBytes(month + "idx" + yyyymm + ".csv", StationInfo(stations));
  for (const SmallStation& s : stations) {
    std::string area = month + "area" + Digits(s.area, 2) + sep;
    MakeFolders(area);
    std::string name = "ah" + Digits(s.area, 2) + Digits(s.number % 1000, 3) + "_" + yyyymm + ".csv";
    WriteBytes(area + name, HourlyFile(s, yyyymm));
  }
}

std::string HourlyRoot(const std::string& root) {
  const std::string sep = platform::Sep();
  return root + "dorvax" + sep + "hourly" + sep;
}

std::string SmallDataLine(int day, int hour) {
  // day, hour, A "  123", B1 08, B2 01, C " -1.5", D 0.5, E "  5", flags 0.
  return Digits(day, 2) + "," + Digits(hour, 2) + ",  " + Digits(100 + hour, 3) + ",0,08,0,01,0, -1.5,0,0.5,0,  5,0";
}

std::vector<std::pair<std::string, std::string>> TreeSnapshot(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string relative = fs::relative(entry.path(), folder).generic_string();
    files.emplace_back(relative, entry.is_regular_file() ? ReadBytes(entry.path().string()) : std::string("<dir>"));
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace dorvax::testing
