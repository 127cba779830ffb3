#include "sample_tree.h"

#include <cstdio>

#include "platform/native_path.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

namespace {

const std::string kCrLf = "\r\n";

std::string ThreeDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", n);
  return text;
}

std::string StationNumber(int n) { return "44" + ThreeDigits(n); }

// A station information line: the station number in characters 1-5, blanks
// up to the flags, flag A set and B to E clear (characters 93-101).
std::string StationInfoLine(int n) {
  std::string line(101, ' ');
  line.replace(0, 5, StationNumber(n));
  line.replace(81, 4, "0012");
  const char flags[] = {'1', '0', '0', '0', '0'};
  for (int i = 0; i < 5; ++i) line[92 + 2 * i] = flags[i];
  return line;
}

// Header line 2: station number in columns 1-5, year in 40-41, month in 43-44.
std::string StationHeaderLine(int n, const std::string& yy, const std::string& mm) {
  std::string line(44, ' ');
  line.replace(0, 5, StationNumber(n));
  line[5] = ',';
  line.replace(39, 2, yy);
  line[41] = ',';
  line.replace(42, 2, mm);
  return line;
}

// One data line of 43 characters: day 1, the given hour, every value
// present (flags 0).
std::string DataLine(int hour) {
  char line[64];
  std::snprintf(line, sizeof line, "01,%02d,  %3d,0,08,0,12,0, -1.5,0,0.5,0,  3,0", hour, 100 + hour);
  return line;
}

std::string StationFile(int n, const std::string& yy, const std::string& mm) {
  std::string text = "hourly values" + kCrLf;
  text += StationHeaderLine(n, yy, mm) + kCrLf;
  text += "day,hour,A,Flag,B1,Flag,B2,Flag,C,Flag,D,Flag,E,Flag" + kCrLf;
  text += ",,,,,,,,,,,,,," + kCrLf;
  for (int hour = 1; hour <= 24; ++hour) text += DataLine(hour) + kCrLf;
  return text;
}

void WriteMonth(const std::string& hourly, const std::string& yyyymm, int stations) {
  const std::string month = hourly + yyyymm + platform::Sep();
  const std::string area = month + "area44" + platform::Sep();
  MakeFolders(area);
  std::string info = "station information" + kCrLf + "no,name" + kCrLf;
  for (int n = 1; n <= stations; ++n) info += StationInfoLine(n) + kCrLf;
  WriteBytes(month + "idx" + yyyymm + ".csv", info);
  for (int n = 1; n <= stations; ++n)
    WriteBytes(area + StationFileName(n, yyyymm), StationFile(n, yyyymm.substr(2, 2), yyyymm.substr(4, 2)));
}

}  // namespace

std::string StationFileName(int n, const std::string& yyyymm) {
  return "ah44" + ThreeDigits(n) + "_" + yyyymm + ".csv";
}

void WriteSampleTree(const std::string& root, const SampleTree& shape) {
  const std::string hourly = root + "dorvax" + platform::Sep() + "hourly" + platform::Sep();
  MakeFolders(hourly);
  if (shape.binaryStations > 0) WriteMonth(hourly, shape.binaryMonth, shape.binaryStations);
  if (shape.textStations > 0) WriteMonth(hourly, shape.textMonth, shape.textStations);
}

}  // namespace dorvax::testing
