// Sample-tree generator: writes a new-edition hourly tree "<root>/dorvax/hourly/"
// deterministically from a seed and returns a model of everything it wrote, so
// tests and benchmarks can compare a conversion against known input.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace treegen {

// Knobs of one generation run. Probabilities are in [0, 1].
struct Options {
  std::filesystem::path root;  // the tree goes to root / "dorvax" / "hourly"
  std::vector<int> months;     // yyyymm values, 1974..2099, month 1..12
  std::uint64_t seed = 1;
  int stations = 20;       // stations of the network (each month lists them all)
  std::vector<int> areas;  // area numbers 11..94 to spread stations over; empty = all

  // Every hour of every day, no gaps, no repeats, no early end.
  bool complete = false;
  double missingHour = 0.0;   // per hour: no line for that hour
  double missingDay = 0.0;    // per day: no line for the whole day
  double earlyEnd = 0.0;      // per file: the data lines stop somewhere inside the month
  double repeatedLine = 0.0;  // per line: the line is written twice in a row
  double missingValue = 0.0;  // per value: flag 9 and "/" or blanks instead of the value
  double otherFlag = 0.05;    // per present value: a flag digit 1..8 instead of 0

  double valueE = 0.25;        // per station: flag E = 1 (the station has value E)
  double valueEOnly = 0.2;     // per E station: flags A..D all 0
  double unlisted = 0.0;       // per station and month: hourly file but no station-info line
  double shortInfoLine = 0.0;  // per station and month: info line cut before the flags

  // Keep every data line (text and decoded values) in the model. Turn off for
  // big trees: the per-file entries are kept either way.
  bool keepLines = true;
};

// One value of a data line as written: the number (C and D in tenths) and its
// flag digit; flag 9 means missing and then `value` is meaningless.
struct Reading {
  int value = 0;
  int flag = 0;
  bool Missing() const { return flag == 9; }
};

struct DataLine {
  std::string text;  // CP932 bytes without CR LF (43 characters)
  int day = 0;
  int hour = 0;
  Reading a, b1, b2, c, d, e;  // c and d in tenths
};

// One line of a month's station information file.
struct StationRow {
  std::string text;  // CP932 bytes without CR LF
  std::int32_t stationNo = 0;
  std::array<char, 5> flags{};  // characters 93, 95, 97, 99, 101; '\0' beyond the line end
  int kind = 4;                 // 1, 4 or -1, derived from the flags
  int snow = -1;                // 5 when flag E is "1", otherwise -1
};

struct HourlyFile {
  std::string monthFolder;  // "199901"
  std::string areaFolder;   // "area44"
  std::string fileName;     // "ah44132_199901.csv"
  std::int32_t stationNo = 0;
  int year = 0;  // four digits
  int month = 0;
  bool listed = true;                 // the station has a line in the month's station information
  std::array<std::string, 4> header;  // lines 1..4, CP932 bytes without CR LF
  std::vector<DataLine> lines;        // data lines in file order (empty unless keepLines)
  std::size_t lineCount = 0;          // number of data lines written
};

struct MonthModel {
  int yyyymm = 0;
  std::string folder;                     // "199901"
  std::string infoFileName;               // "idx199901.csv"
  std::array<std::string, 2> infoHeader;  // the two header lines of the station information
  std::vector<StationRow> stations;       // in file order
  std::vector<std::string> areaFolders;   // every area folder created, in ascending order
  std::vector<HourlyFile> files;          // in ascending (area folder, file name) order
};

struct Model {
  std::filesystem::path hourlyRoot;  // root / "dorvax" / "hourly"
  std::vector<MonthModel> months;    // in the order of Options::months
  std::uint64_t bytesWritten = 0;
  std::uint64_t filesWritten = 0;
};

// Writes the tree and returns its model. Throws std::invalid_argument for bad
// options and std::runtime_error when a file cannot be written. Existing files of
// the same names are replaced; nothing else under the root is touched.
Model Generate(const Options& options);

// "199901-199912,200501" -> 199901..199912, 200501. Throws std::invalid_argument.
std::vector<int> ParseMonthList(const std::string& text);

// "11-20,44" -> 11..20, 44. Throws std::invalid_argument.
std::vector<int> ParseAreaList(const std::string& text);

// Days of a month of a four-digit year (Gregorian leap years).
int DaysOfMonth(int year, int month);

// Number of CP932 characters in `bytes` (a lead byte 0x81-0x9F or 0xE0-0xFC and
// the byte after it count as one character).
std::size_t Cp932Length(const std::string& bytes);

// The 43-character data line for the given fields (missing values written as "/"
// when slashes is true, as blanks otherwise).
std::string FormatDataLine(int day, int hour, const Reading& a, const Reading& b1, const Reading& b2, const Reading& c,
                           const Reading& d, const Reading& e, bool slashes = true);

}  // namespace treegen
