#include "faults/fault_trees.h"

#include <cstdio>
#include <fstream>

#include "treegen.h"

namespace dorvax::testing {

void WriteSourceTree(const std::string& root, const std::vector<int>& months, int stations,
                     const std::vector<int>& areas) {
  treegen::Options options;
  options.root = root;
  options.months = months;
  options.stations = stations;
  options.areas = areas;
  options.complete = true;
  options.keepLines = false;
  options.seed = 7;
  treegen::Generate(options);
}

std::string MonthFolder(const std::string& root, int yyyymm) {
  return root + "dorvax/hourly/" + std::to_string(yyyymm) + "/";
}

std::string StationFile(const std::string& root, int yyyymm) {
  return MonthFolder(root, yyyymm) + "idx" + std::to_string(yyyymm) + ".csv";
}

std::string AreaFolder(const std::string& root, int yyyymm, int area) {
  return MonthFolder(root, yyyymm) + "area" + std::to_string(area) + "/";
}

std::string StationInfoLine(int number, bool valueE) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%05d", number % 100000);
  std::string line(101, ' ');
  line.replace(0, 5, digits);
  line[5] = ',';
  line.replace(6, 7, "Station");
  line.replace(17, 11, "Observatory");
  line.replace(81, 4, "0012");
  for (int pos : {93, 95, 97, 99, 101}) line[pos - 1] = '0';
  line[92] = '1';
  if (valueE) line[100] = '1';
  return line;
}

std::string AppendStationLines(const std::string& root, int yyyymm, int count) {
  std::string path = StationFile(root, yyyymm);
  std::ofstream out(path, std::ios::binary | std::ios::app);
  for (int i = 0; i < count; ++i) out << StationInfoLine(50000 + i, i % 2 == 1) << "\r\n";
  return path;
}

}  // namespace dorvax::testing
