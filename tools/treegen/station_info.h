// Lines of a month's station information file "idx" + yyyymm + ".csv": fields sit
// at fixed character positions (the old station index is cut out of them by
// position), commas between them only for the human reader.
#pragma once

#include "station_network.h"
#include "treegen.h"

#include <array>
#include <string>

namespace treegen {

std::array<std::string, 2> StationInfoHeader(int year, int month);

// One station line. A short line stops after character 88, before the flags.
StationRow MakeStationRow(const Station& station, bool shortLine);

}  // namespace treegen
