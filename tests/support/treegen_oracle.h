// Independent expectation of the old-edition tree that a conversion must write for
// a new-edition source tree. It is computed from the source text alone, by its own
// code (nothing is shared with the converter), so tests can compare the two.
#pragma once

#include "treegen.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace treegen_oracle {

// The source cannot be converted: the conversion stops with this error number
// (13 not a number, 6 overflow, 62 file too short, 98 bad folder name,
// 99 text-era station information missing, 111 station information unreadable,
// 13 also for a data line whose hour lies outside 1..24).
struct ConversionStop : std::runtime_error {
  ConversionStop(int code, const std::string& what) : std::runtime_error(what), code(code) {}
  int code;
};

// Raw text of a new-edition tree: the only input of the expectation.
struct SourceFile {
  std::string areaFolder;
  std::string fileName;
  std::vector<std::string> lines;  // CP932 bytes, without line ends
  std::filesystem::path path;      // when set, the lines are read from here when needed
};

struct SourceMonth {
  std::string folder;                    // "199901"
  std::optional<std::string> infoBytes;  // the station information file, when present
  std::vector<std::string> areaFolders;  // every area folder, empty ones too
  std::vector<SourceFile> files;         // any order: the expectation sorts them
};

struct SourceTree {
  std::vector<SourceMonth> months;
};

// Relative path under the destination "dorvax" folder, '/'-separated -> bytes.
using FileMap = std::map<std::string, std::string>;

struct ExpectedTree {
  FileMap files;
  std::set<std::string> folders;  // every folder created, relative, '/'-separated
};

// Source from a generator model (the model must have been made with keepLines).
SourceTree SourceFromModel(const treegen::Model& model);
// Source from a tree on disk; `hourlyRoot` is the ".../dorvax/hourly" folder. Hourly
// files are read one at a time during ExpectOldEdition, so big trees fit in memory.
SourceTree SourceFromDisk(const std::filesystem::path& hourlyRoot);

// The expected old edition. Files whose names do not fit the naming rules are left
// out, as when the user answers "continue without this file". Throws ConversionStop.
ExpectedTree ExpectOldEdition(const SourceTree& source);
FileMap ExpectedOldEdition(const treegen::Model& model);
FileMap ExpectedOldEditionFromDisk(const std::filesystem::path& hourlyRoot);

// Everything below a written "dorvax" folder, in the same form.
ExpectedTree ReadOldEditionTree(const std::filesystem::path& dorvaxRoot);

// A readable account of the first difference ("" when the maps are equal): a
// missing or extra file, or the first differing byte with its record number.
std::string FirstDifference(const FileMap& expected, const FileMap& actual);

// ---- Building blocks, exposed for focused tests ----

// What the station table holds for a station: its kind (1, 4, -1) and snow mark (5, -1).
struct StationEntry {
  std::int16_t kind = 4;
  std::int16_t snow = -1;
};

// Records of one binary-era hourly file (all lines, headers included), given the
// table entry its header finds (nullopt: not in the table).
struct FileRecords {
  std::string dvx;  // 256-byte records that hold a value
  std::string dvs;  // 80-byte records that hold a value
};
FileRecords ConvertBinaryFile(const std::vector<std::string>& lines, const std::optional<StationEntry>& entry);

// The reshaped old-edition text of one text-era hourly file (lines ending CR LF).
std::string ConvertTextFile(const std::vector<std::string>& lines);

// One old station index line (without CR LF) from a station information line.
std::string StationIndexLine(const std::string& infoLine);
StationEntry EntryOfInfoLine(const std::string& infoLine);

std::string StripFlagHeaders(const std::string& line);
std::string CollapseEmptyHeaders(const std::string& line);
std::string ReshapeDataLine(const std::string& line);

// Days of a month; a year below 100 is two-digit (below 76: 20xx, else 19xx).
int DaysInMonth(int year, int month);

// Lines of a text file: CR LF or a lone CR ends a line; no empty last line.
std::vector<std::string> SplitLines(const std::string& bytes);

}  // namespace treegen_oracle
