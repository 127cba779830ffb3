#pragma once
// New-edition source trees for tests, written as the annual report writes
// them: month folders with their station information, area folders with
// one hourly file per station, every line in CP932 with its fields at their
// character positions (station names in kanji and kana before them), and
// beside them whatever irregular file or folder a test puts in.
#include <cstdint>
#include <string>
#include <vector>

namespace dorvax::testing {

// One station of a month: its line in the month's station information and
// its hourly file, named by HourlyFileName, holding `days` complete days.
struct Station {
  int32_t number = 44001;
  int area = 44;
  std::string flags = "10000";  // flags A to E of the station information
  int days = 1;
};

// `count` stations numbered from area * 1000 + 1 on, all in one area.
std::vector<Station> Stations(int count, int area = 44);

// "ah" + the two-digit area + the number's last three digits + "_" + yyyymm
// + ".csv", in the area folder "area" + the two-digit area.
std::string HourlyFileName(const Station& station, const std::string& yyyymm);
std::string AreaFolderName(int area);

// The values of one data line, C and D in tenths; a flag of 9 marks the
// value missing (its columns then hold "/").
struct Hour {
  int day = 1, hour = 1;
  int a = 123, flagA = 0;
  int b1 = 8, flagB1 = 0;
  int b2 = 12, flagB2 = 0;
  int c = -123, flagC = 0;
  int d = 5, flagD = 0;
  int e = 7, flagE = 0;
};
Hour At(int day, int hour);
// The 43-character data line.
std::string DataLine(const Hour& hour);
// The data lines of days 1 to `days`, every hour with the values of Hour.
std::vector<std::string> CompleteDays(int days);

// A station information line: the number at 1-5, the names in kanji and
// kana, the position, elevation 0012 at 82-85, flags A to E at 93 to 101,
// and the prefecture after them.
std::string StationLine(const Station& station);
// The station information file of a month: its two title lines, then the
// lines; every line ends in CR LF.
std::string StationInfoFile(const std::string& yyyymm, const std::vector<std::string>& lines);

// Line 2 of an hourly file: station number at 1-5, the names, the
// two-digit year at 40-41 and the month at 43-44.
std::string StationHeaderLine(int32_t number, const std::string& yyyymm);
// An hourly file: its four header lines, then the data lines; every line
// ends in CR LF.
std::string HourlyFile(int32_t number, const std::string& yyyymm, const std::vector<std::string>& dataLines);

class SourceTree {
 public:
  // The tree below root + "dorvax/hourly/" (`root` ends with a separator);
  // nothing is written before a month, file or folder is asked for.
  explicit SourceTree(const std::string& root);

  // The tree's folder + `relative`, with '/' written as the platform's separator.
  std::string Path(const std::string& relative = "") const;

  // A month: idx<yyyymm>.csv listing the stations, and each station's
  // hourly file in its area folder.
  const SourceTree& Month(const std::string& yyyymm, const std::vector<Station>& stations) const;
  // A file of any content at any place, with the folders on its way.
  const SourceTree& File(const std::string& relative, const std::string& bytes) const;
  const SourceTree& Folder(const std::string& relative) const;

 private:
  std::string hourly_;
};

}  // namespace dorvax::testing
