#pragma once
// One line of a station information file, taken apart by character position:
// the station index line it becomes, its station number and what its flags
// A to E make of it.
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvax {

struct StationLine {
  std::string indexLine;     // output fields 1 to 11, raw CP932 bytes
  int32_t stationNo = 0;     // characters 1-5
  int16_t kind = 4;          // 1, 4 or -1
  int16_t snow = -1;         // 5 when flag E is "1"
  bool inIndex = true;       // written to the IDX file
  bool inSnowIndex = false;  // written to the SIDX file
};

// The whole reading of one station line. Its index line holds the fixed
// character fields joined without separators, characters 82-84
// zero-blanked; a field beyond the end of the line is empty. Throws
// RunError 13 (or 6) when characters 1-5 are not a number.
StationLine ReadStationLine(std::string_view line);

}  // namespace dorvax
