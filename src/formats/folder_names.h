#pragma once
// The naming rules of the new edition's month and area folders.
#include <cstdint>
#include <string_view>

namespace dorvax {

// A year-month folder name yyyymm: valid when 1974 <= year <= 2099 and
// 0 <= month <= 12; `year` is written only when valid.
void CheckYearMonthName(std::string_view name, int16_t& year, bool& valid);

// An area folder name "area" + 11..94 (the word in any letter case).
void CheckAreaName(std::string_view name, bool& valid);

}  // namespace dorvax
