// Contents of one new-edition hourly file: four header lines and the data lines
// of one station and month, with the irregularities the options ask for.
#pragma once

#include "station_network.h"
#include "treegen.h"

#include <array>
#include <string>

namespace treegen {

std::string HourlyFileName(const Station& station, const std::string& monthFolder);

std::array<std::string, 4> HourlyHeader(const Station& station, int year, int month);

// Appends the whole file (header and data lines, each ending in CR LF) to `bytes`
// and fills `file.header`, `file.lineCount` and, when options.keepLines, `file.lines`.
void BuildHourlyFile(const Station& station, const Options& options, HourlyFile& file, std::string& bytes);

}  // namespace treegen
