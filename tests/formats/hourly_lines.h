#pragma once
// New-edition hourly data lines built by hand from their column layout, for
// the tests of the hourly reading, reshaping and day building.
#include <cstdio>
#include <string>
#include <string_view>

#include "formats/text_reshape.h"

namespace dorvax::testing {

// The fields of one data line, each exactly as wide as its columns:
// day 1-2, hour 4-5, A 7-11, B1 15-16, B2 20-21, C 25-29, D 33-35, E 39-41,
// flags at 13, 18, 23, 31, 37 and 43, commas everywhere in between.
struct LineFields {
  std::string day = "01", hour = "01";
  std::string a = "  123", flagA = "0";
  std::string b1 = "08", flagB1 = "0";
  std::string b2 = "12", flagB2 = "0";
  std::string c = "-12.3", flagC = "0";
  std::string d = "0.5", flagD = "0";
  std::string e = " 40", flagE = "0";
};

inline std::string DataLine(const LineFields& f) {
  return f.day + "," + f.hour + "," + f.a + "," + f.flagA + "," + f.b1 + "," + f.flagB1 + "," + f.b2 + "," + f.flagB2 +
         "," + f.c + "," + f.flagC + "," + f.d + "," + f.flagD + "," + f.e + "," + f.flagE;
}

inline std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

// A data line of the given day and hour with the default values.
inline std::string DataLineAt(int day, int hour) {
  LineFields f;
  f.day = TwoDigits(day);
  f.hour = TwoDigits(hour);
  return DataLine(f);
}

// A data line reshaped as a text-era file holds it, CR LF included.
inline std::string Reshaped(std::string_view line) {
  char out[kMaxReshapedLineBytes];
  return std::string(out, WriteReshapedDataLineWithEnd(line, out));
}

}  // namespace dorvax::testing
