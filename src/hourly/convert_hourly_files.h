#pragma once
// One pass of the hourly conversion: every hourly file of the source tree
// becomes day records in the DVX/DVS files of its year-month (years up to
// 1999) or a reshaped text file (years from 2000).
#include <cstdint>
#include <string_view>

#include "form/form_window.h"

namespace dorvax {

// result: -1 converted; 98 stopped at a declined file name; 99 stopped on a
// failure that has been reported.
void ConvertHourlyFiles(FormWindow& frm, int16_t pass, int16_t& result);

// True when characters 4 to 6 of the text read as an integer from 1 to 1000.
bool CheckStationNumber(std::string_view text);

}  // namespace dorvax
