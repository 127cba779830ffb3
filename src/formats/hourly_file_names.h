#pragma once
// The naming of the annual-report discs as the hourly conversion tests it:
// which era a year-month folder belongs to, and whether a file in an area
// folder is an hourly file of that month and area.
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvax {

enum class Era { kBinary, kText };

// Months up to 1999 keep the binary record files, later ones the text files.
// The year is the first four characters of the folder name; a name that does
// not read as a number raises error 13.
Era EraOfYearMonth(std::string_view yearMonth);

// Both eras: the name starts with "a" or "A". Text era further: without that
// letter it reads "h" + the area's two digits, a station number 1..1000 and
// "_" + year-month + ".csv" (letter case significant; later characters free).
bool HourlyFileNameFits(Era era, std::string_view yearMonth, std::string_view area, std::string_view fileName);

// True when characters 4 to 6 of the text read as an integer from 1 to 1000.
bool CheckStationNumber(std::string_view text);

// The file name without its first character: the old edition's name.
std::string_view OldEditionName(std::string_view fileName);

}  // namespace dorvax
