#pragma once
// Station information lines for the tests of the old-edition tree, built by
// character position the way the new edition lays them out.
#include <string>
#include <vector>

namespace dorvax::testing {

// A CP932 line of `length` characters (at most 101): characters 1-5 hold the
// station number, 82-85 the elevation field, 93, 95, 97, 99 and 101 the flags
// A to E (separated by commas); the rest is filler text.
inline std::string StationText(const std::string& number, const std::string& flags,
                               const std::string& elevation = "0012", std::size_t length = 101) {
  std::vector<std::string> chars(101, "x");
  for (std::size_t i = 0; i < 5 && i < number.size(); ++i) chars[i] = number.substr(i, 1);
  for (std::size_t i = 0; i < 4; ++i) chars[81 + i] = elevation.substr(i, 1);
  for (std::size_t i = 0; i < 5; ++i) chars[92 + 2 * i] = flags.substr(i, 1);
  for (std::size_t i = 0; i < 4; ++i) chars[93 + 2 * i] = ",";
  std::string line;
  for (std::size_t i = 0; i < length && i < chars.size(); ++i) line += chars[i];
  return line;
}

// A station information file: two header lines, then the station lines, all
// ended by CR LF.
inline std::string StationFile(const std::vector<std::string>& stations) {
  std::string bytes = "header line 1\r\nheader line 2\r\n";
  for (const std::string& s : stations) bytes += s + "\r\n";
  return bytes;
}

}  // namespace dorvax::testing
