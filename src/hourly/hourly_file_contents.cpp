#include "hourly/hourly_file_contents.h"

#include <algorithm>
#include <limits>
#include <string>

#include "formats/data_line.h"
#include "formats/station_header.h"
#include "formats/text_reshape.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {
// Only the first columns of these lines count (the station header up to
// column 44, the title lines up to 128, the data lines up to 43): 512 bytes
// hold them all, and the rest of a longer line is read past without being
// held. The first two lines of a text-era file are copied whole.
constexpr std::size_t kColumnsBytes = 512;
// A file up to this size is held whole and its data lines are looked at
// where they lie; a larger one is read line by line (a binary-era file has
// its lines copied, each cut to kColumnsBytes), so that memory does not grow
// with long lines.
constexpr std::size_t kHeldFileBytes = 1024 * 1024;
// The data lines start at line 5, after the four header lines.
constexpr std::size_t kHeaderLines = 4;

// Header line `number`; a file that ends before it fails with its number
// (62), the file itself being named by the walk.
std::string_view ReadHeaderLine(platform::TextReader& reader, std::size_t number, std::size_t keepBytes) {
  try {
    return reader.ReadLine(keepBytes);
  } catch (const platform::RunError& error) {
    if (error.number() != platform::kErrInputPastEnd) throw;
    throw platform::MakeError(platform::kErrInputPastEnd, "line " + std::to_string(number));
  }
}

}  // namespace

void HourlyFileContents::Clear() {
  textSize_ = 0;
  spans_.clear();
}

void HourlyFileContents::Grow(std::size_t bytes) { text_.resize(std::max(2 * text_.size(), textSize_ + bytes)); }

inline char* HourlyFileContents::Room(std::size_t bytes) {
  if (text_.size() - textSize_ < bytes) Grow(bytes);
  return text_.data() + textSize_;
}

void HourlyFileContents::Append(std::string_view bytes) {
  bytes.copy(Room(bytes.size()), bytes.size());
  textSize_ += bytes.size();
}

void HourlyFileContents::Keep(std::string_view line) {
  spans_.emplace_back(textSize_, line.size());
  Append(line);
}

void HourlyFileContents::KeepWithEnd(std::string_view line) {
  Append(line);
  Append("\r\n");
}

void HourlyFileContents::KeepReshaped(std::string_view line) {
  textSize_ = static_cast<std::size_t>(WriteReshapedDataLineWithEnd(line, Room(kMaxReshapedLineBytes)) - text_.data());
}

void HourlyFileContents::IndexDataLines() {
  dataLines_.resize(spans_.size() + 1);
  dataLines_[0] = {};
  for (std::size_t i = 0; i < spans_.size(); ++i)
    dataLines_[i + 1] = std::string_view(text_.data() + spans_[i].first, spans_[i].second);
}

void HourlyFileContents::ReadBinaryEra(platform::TextReader& reader, const StationTable& stations) {
  Clear();
  dvx_.clear();
  dvx_.resize(2);
  dvs_.clear();
  dvs_.resize(1);
  ReadHeaderLine(reader, 1, 0);
  ReadNamingTheLine(2, ReadHeaderLine(reader, 2, kColumnsBytes),
                    [&](std::string_view line) { ReadStationHeader(line, stations, dvx_, dvs_); });
  ReadHeaderLine(reader, 3, 0);
  ReadHeaderLine(reader, 4, 0);
  if (reader.HoldRest(kHeldFileBytes)) {
    dataLines_.assign(1, {});
    reader.ReadHeldLines(kColumnsBytes, dataLines_);
  } else {
    while (!reader.AtEnd()) Keep(reader.ReadLine(kColumnsBytes));
    IndexDataLines();
  }
  BuildDayRecords(dataLines_, dvx_, dvs_);
}

void HourlyFileContents::ReadTextEra(platform::TextReader& reader) {
  Clear();
  KeepWithEnd(ReadHeaderLine(reader, 1, std::numeric_limits<std::size_t>::max()));
  KeepWithEnd(ReadHeaderLine(reader, 2, std::numeric_limits<std::size_t>::max()));
  titleLine_.assign(ReadHeaderLine(reader, 3, kColumnsBytes));
  StripFlagHeaders(titleLine_);
  KeepWithEnd(titleLine_);
  titleLine_.assign(ReadHeaderLine(reader, 4, kColumnsBytes));
  CollapseEmptyHeaders(titleLine_);
  KeepWithEnd(titleLine_);
  std::size_t number = kHeaderLines;
  const auto keepReshaped = [&](std::string_view line) {
    ReadNamingTheLine(++number, line, [this](std::string_view data) { KeepReshaped(data); });
  };
  if (reader.HoldRest(kHeldFileBytes)) {
    reader.ForEachHeldLine(kColumnsBytes, keepReshaped);
  } else {
    while (!reader.AtEnd()) keepReshaped(reader.ReadLine(kColumnsBytes));
  }
}

}  // namespace dorvax
