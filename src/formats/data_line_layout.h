#pragma once
// The columns of a new-edition hourly data line, the one table every reading
// of the line and its reshaping take them from: 43 characters of
// comma-separated fields, each value followed by its own flag column.
// Columns are 1-based character positions; in the usual line, whose first 43
// characters are single bytes, column c is byte c - 1.
#include <cstddef>

namespace dorvax::data_line {

// Columns `first` to `last`.
struct Columns {
  std::size_t first;
  std::size_t last;
  constexpr std::size_t count() const { return last - first + 1; }
};

// One observed value. Value A is right-aligned in columns 7-11, of which
// the old edition keeps the last three; the binary era reads those with the
// comma after them, which the number rule ignores. Values C and D are read
// in tenths: their columns without the decimal point.
struct Value {
  Columns kept;        // the columns the old edition's line keeps
  std::size_t readTo;  // the last column the binary era reads
  std::size_t point;   // the decimal point left out of the reading, 0 for none
  std::size_t flag;    // the flag column: 9 marks the value missing
};

constexpr Columns kDay{1, 2};
constexpr Columns kHour{4, 5};

constexpr Value kA{{9, 11}, 12, 0, 13};
constexpr Value kB1{{15, 16}, 16, 0, 18};  // low part of value B
constexpr Value kB2{{20, 21}, 21, 0, 23};  // high part of value B
constexpr Value kC{{25, 29}, 29, 28, 31};
constexpr Value kD{{33, 35}, 35, 34, 37};
constexpr Value kE{{39, 41}, 41, 0, 43};

// In column order, as the old edition's line keeps them.
constexpr Value kValues[] = {kA, kB1, kB2, kC, kD, kE};

// The last column any reading looks at: the flag of value E.
constexpr std::size_t kLastColumn = kE.flag;

// The byte of a column in the usual line.
constexpr std::size_t ByteOf(std::size_t column) { return column - 1; }

}  // namespace dorvax::data_line
