#pragma once
// What the name of a station information file ("idx" + yyyymm + ".csv")
// tells: its year and month digits, and the names of the index files made
// from it.
#include <string>
#include <string_view>

namespace dorvax {

// The two characters just before ".csv" (the month digits MM). Throws
// RunError 5 when the name is too short to hold them.
std::string StationFileMonth(std::string_view sourceFile);
// The two characters before the month digits (the year digits YY).
std::string StationFileYear(std::string_view sourceFile);

// An index base with the month suffix: base + "." + MM.
std::string IndexFileName(const std::string& base, std::string_view sourceFile);

// The last `count` characters of a path as a message shows them, with the
// path separators written as "\".
std::string PathTailForMessage(std::string_view path, std::size_t count);

}  // namespace dorvax
