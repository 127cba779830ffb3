// Parsing of the month and area lists given on the command line, and the calendar.
#include "treegen.h"

#include <cctype>
#include <set>
#include <stdexcept>

namespace treegen {

namespace {

int ParseNumber(const std::string& text, const std::string& whole) {
  if (text.empty() || text.size() > 9) throw std::invalid_argument("bad number in list: " + whole);
  int value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) throw std::invalid_argument("bad number in list: " + whole);
    value = value * 10 + (c - '0');
  }
  return value;
}

// Splits "a-b,c" into inclusive (first, last) pairs.
std::vector<std::pair<int, int>> ParseRanges(const std::string& text) {
  std::vector<std::pair<int, int>> ranges;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = text.substr(start, comma - start);
    const std::size_t dash = item.find('-');
    if (dash == std::string::npos) {
      const int value = ParseNumber(item, text);
      ranges.emplace_back(value, value);
    } else {
      ranges.emplace_back(ParseNumber(item.substr(0, dash), text), ParseNumber(item.substr(dash + 1), text));
    }
    if (ranges.back().first > ranges.back().second) throw std::invalid_argument("descending range: " + text);
    start = comma + 1;
  }
  return ranges;
}

void CheckMonth(int yyyymm) {
  const int year = yyyymm / 100;
  const int month = yyyymm % 100;
  if (year < 1974 || year > 2099 || month < 1 || month > 12) {
    throw std::invalid_argument("not a month yyyymm of 1974..2099: " + std::to_string(yyyymm));
  }
}

void AddUnique(std::vector<int>& out, std::set<int>& seen, int value, const char* what) {
  if (!seen.insert(value).second)
    throw std::invalid_argument(std::string("repeated ") + what + ": " + std::to_string(value));
  out.push_back(value);
}

}  // namespace

std::vector<int> ParseMonthList(const std::string& text) {
  std::vector<int> months;
  std::set<int> seen;
  for (const auto& [first, last] : ParseRanges(text)) {
    CheckMonth(first);
    CheckMonth(last);
    for (int ym = first; ym <= last; ym = (ym % 100 == 12) ? ym + 89 : ym + 1) {
      AddUnique(months, seen, ym, "month");
    }
  }
  return months;
}

std::vector<int> ParseAreaList(const std::string& text) {
  std::vector<int> areas;
  std::set<int> seen;
  for (const auto& [first, last] : ParseRanges(text)) {
    if (first < 11 || last > 94) throw std::invalid_argument("areas must lie in 11..94: " + text);
    for (int area = first; area <= last; ++area) AddUnique(areas, seen, area, "area");
  }
  return areas;
}

int DaysOfMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace treegen
