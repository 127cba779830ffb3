#pragma once
// Reading a new-edition hourly data line at the columns of
// formats/data_line_layout.h (flag 9 marks the value before it as missing).
// Lines are CP932 bytes; columns count characters. Errors: 13 for a field
// that is not a number (a blank flag, a line too short), 6 for an overflow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/run_error.h"

namespace dorvax {

struct HourValues {
  int16_t day = 0;
  int16_t hour = 0;
  // Each value holds MISSING when its flag is 9.
  int16_t a = 0;
  int16_t b = 0;  // B2 * 256 + B1
  int16_t c = 0;  // tenths
  int16_t d = 0;  // tenths
  int16_t e = 0;
};

// Day and hour of a data line (columns 1-2 and 4-5).
int16_t ReadLineDay(std::string_view line);
int16_t ReadLineHour(std::string_view line);

// Values A to D (`withE` false) or all five values, read as the binary era
// does; the flag is always read first and a missing value's text is never read.
HourValues ReadHourValues(std::string_view line, bool withE);

// Value B from its high part B2 and low part B1: B2 * 256 + B1, where
// B2 * 256 itself and the sum must be 16-bit values (error 6 otherwise).
int16_t JoinValueB(int16_t high, int16_t low);

// Value E alone (MISSING when its flag is 9).
int16_t ReadValueE(std::string_view line);

// A data line as a failure names it: `line 25: "<its first 60 characters>"`,
// its line number in the file and its text, with anything that is not
// printable ASCII shown as "?" (the message is not in the file's code page).
std::string DescribeDataLine(std::size_t lineNumber, std::string_view line);

// `read(line)`, a failure naming the line (DescribeDataLine), so that the
// user finds it among thousands.
template <typename Read>
auto ReadNamingTheLine(std::size_t lineNumber, std::string_view line, Read read) {
  try {
    return read(line);
  } catch (const platform::RunError& error) {
    throw error.At(DescribeDataLine(lineNumber, line));
  }
}

}  // namespace dorvax
