#pragma once
// A small new-edition tree for runs driven through the window: one month of
// the binary era (199901 unless told) and one of the text era (200405), each with one
// area folder (area44) and one station file per station. Every station file
// holds the 24 hours of day 1 with all values present.
#include <string>

namespace dorvax::testing {

struct SampleTree {
  int binaryStations = 1;  // station files of the binary-era month
  int textStations = 1;    // station files of the text-era month
  std::string binaryMonth = "199901";
  std::string textMonth = "200405";
};

// Writes the tree under `root` + "dorvax/hourly/" (root ends with a separator).
void WriteSampleTree(const std::string& root, const SampleTree& shape);

// The name of station file `n` (1-based) of a month, as the annual report
// names it: "ah44" + three-digit number + "_" + yyyymm + ".csv".
std::string StationFileName(int n, const std::string& yyyymm);

}  // namespace dorvax::testing
