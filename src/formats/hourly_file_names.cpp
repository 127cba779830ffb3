#include "formats/hourly_file_names.h"

#include "platform/cp932.h"
#include "platform/numeric_text.h"

namespace dorvax {

namespace {

constexpr int16_t kLastBinaryYear = 1999;

bool StartsWithLetterA(std::string_view name) { return !name.empty() && (name[0] == 'a' || name[0] == 'A'); }

// Characters 1-3: "h" and the two digits that end the area folder's name.
bool AreaPartFits(std::string_view rest, std::string_view area) {
  std::string expected = "h";
  expected += platform::utf8::Right(area, 2);
  return platform::utf8::Mid(rest, 1, 3) == expected;
}

// Characters 7-17: "_" + year-month + ".csv".
bool MonthPartFits(std::string_view rest, std::string_view yearMonth) {
  std::string expected = "_";
  expected += yearMonth;
  expected += ".csv";
  return platform::utf8::Mid(rest, 7, 11) == expected;
}

}  // namespace

Era EraOfYearMonth(std::string_view yearMonth) {
  int16_t year = platform::ReadInt16(platform::utf8::Mid(yearMonth, 1, 4));
  return year <= kLastBinaryYear ? Era::kBinary : Era::kText;
}

std::string_view OldEditionName(std::string_view fileName) { return platform::utf8::Mid(fileName, 2, fileName.size()); }

bool CheckStationNumber(std::string_view text) {
  std::optional<int32_t> number = platform::TryReadInt32(platform::utf8::Mid(text, 4, 3));
  return number && *number >= 1 && *number <= 1000;
}

bool HourlyFileNameFits(Era era, std::string_view yearMonth, std::string_view area, std::string_view fileName) {
  if (!StartsWithLetterA(fileName)) return false;
  if (era == Era::kBinary) return true;
  std::string_view rest = OldEditionName(fileName);
  return AreaPartFits(rest, area) && CheckStationNumber(rest) && MonthPartFits(rest, yearMonth);
}

}  // namespace dorvax
