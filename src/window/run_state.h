#pragma once
// The form-level values of the window that the steps of a run share: who
// sets each is noted beside it. The window owns them for the life of the
// program; steps read and write them through the run they are handed.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "formats/station_table.h"

namespace dorvax {

// What the current run has done, for the summary of the batch program.
struct RunStatistics {
  int64_t filesConverted = 0;
  int64_t dvxRecords = 0;
  int64_t dvsRecords = 0;
  int64_t textFiles = 0;
};

struct RunState {
  std::array<std::string, 2> strSideName;    // "新版", "旧版" (set when the window loads)
  std::array<std::string, 2> strDiscName;    // "1枚目のCD-ROMの", "2枚目のCD-ROMの" (likewise)
  std::array<std::string, 2> strFolderPath;  // source + "dorvax\hourly\", destination + "dorvax\" (the checks)
  int16_t intRunState = 0;                   // 0 idle, 1 checking, 21 second disc, 2 tree, 3 hourly files
  int16_t intSourceKind = 0;                 // 0 none, 1 a folder, 2 two CD-ROMs (the option buttons)
  int32_t lngFileTotal = 0;                  // files of the current pass (the tree walk)
  int32_t lngUnprocessedFiles = 0;           // files left out in the whole run (the hourly walk)
  StationTable typStation;                   // stations of the current pass (the station index)
  // Station index files written during the current run, with the pass that
  // wrote them: a later pass meeting one again has the first disc once more.
  std::map<std::string, int16_t> indexFilesWritten;
  // The device of the CD-ROM drive that holds the first disc of a two-disc
  // run, taken in pass 1: the second disc is looked for where that device
  // has it mounted (platform::Drives::MountPointOf).
  std::string sourceDevice;
  RunStatistics stats;
  // The failure that stopped the conversion when its box names no cause
  // (a file too short, a full disk): its number and description, for the
  // batch program to print.
  std::string unshownFailure;
  // Hourly files read ahead on a thread of their own while the walk works
  // through the ones before (at most this many held at once, 128 KiB each);
  // 0 reads every file when the walk comes to it.
  std::size_t readAheadFiles = 8;
};

}  // namespace dorvax
