#include "inspect/index_line.h"

#include "platform/cp932.h"

namespace dorvax::inspect {

namespace {

struct FieldSpan {
  std::size_t start;  // 1-based character position
  std::size_t width;
};

// Station number, then the fields as the index line joins them.
constexpr std::array<FieldSpan, kIndexFieldCount> kSpans = {{
    {1, 5},
    {6, 7},
    {13, 11},
    {24, 7},
    {31, 2},
    {33, 2},
    {35, 1},
    {36, 3},
    {39, 2},
    {41, 1},
    {42, 4},
}};

}  // namespace

IndexLineFields SplitIndexLine(std::string_view line) {
  const platform::cp932::ColumnIndex columns(line, kIndexLineLength);
  IndexLineFields out;
  for (std::size_t i = 0; i < kIndexFieldCount; ++i)
    out.fields[i] = std::string(columns.Field(kSpans[i].start, kSpans[i].width));
  out.rest = std::string(columns.Rest(kIndexLineLength + 1));
  return out;
}

}  // namespace dorvax::inspect
