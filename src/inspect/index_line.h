#pragma once
// A line of an IDX or SIDX station index file cut into its eleven fields at
// their fixed character positions (characters, not bytes: a double-byte
// CP932 character is one position).
#include <array>
#include <string>
#include <string_view>

namespace dorvax::inspect {

constexpr std::size_t kIndexFieldCount = 11;
// Characters of a complete index line.
constexpr std::size_t kIndexLineLength = 45;

struct IndexLineFields {
  std::array<std::string, kIndexFieldCount> fields;  // raw CP932 bytes; empty past the line end
  std::string rest;                                  // characters after position 45, if any
};

IndexLineFields SplitIndexLine(std::string_view line);

}  // namespace dorvax::inspect
