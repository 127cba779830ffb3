#pragma once
// Small new-edition hourly trees written byte by byte, for tests that run
// whole conversions: a binary-era month with its station information and
// hourly files, a text-era month, and the faults the runs must stop at.
#include <string>
#include <vector>

namespace dorvax::testing {

struct SmallStation {
  int number = 101;
  int area = 11;
  bool valueE = false;  // flag E of the station information
  int days = 2;         // complete days of data lines (24 hours each)
};

// "<root>dorvax/hourly/" with the separators of the platform.
std::string HourlyRoot(const std::string& root);

// A month folder below root + "dorvax/hourly/": idx<yyyymm>.csv and one
// hourly file "ah<area><number>_<yyyymm>.csv" per station in its area folder
// (names that pass the rules of both eras; the folder's year picks the era).
void WriteMonth(const std::string& root, const std::string& yyyymm, const std::vector<SmallStation>& stations);

// One 43-character data line with every value present.
std::string SmallDataLine(int day, int hour);

// Every file below a folder with its bytes, "relative/path" -> bytes, to
// prove that a tree is unchanged.
std::vector<std::pair<std::string, std::string>> TreeSnapshot(const std::string& folder);

}  // namespace dorvax::testing
