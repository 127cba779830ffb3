#include "hourly/driver_file_contents.h"

#include "hourly/station_header.h"
#include "hourly/text_reshape.h"

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
}  // namespace

void HourlyFileContents::Clear() {
  text_.clear();
  spans_.clear();
}

void HourlyFileContents::Keep(std::string_view line) {
  spans_.emplace_back(text_.size(), line.size());
  text_.append(line);
}

void HourlyFileContents::KeepWithEnd(std::string_view line) { text_.append(line).append("\r\n", 2); }

void HourlyFileContents::KeepReshaped(std::string_view line) { AppendReshapedDataLineWithEnd(line, text_); }

void HourlyFileContents::IndexDataLines() {
  dataLines_.resize(spans_.size() + 1);
  dataLines_[0] = {};
  for (std::size_t i = 0; i < spans_.size(); ++i)
    dataLines_[i + 1] = std::string_view(text_).substr(spans_[i].first, spans_[i].second);
}

void HourlyFileContents::ReadBinaryEra(platform::TextReader& reader, const StationTable& stations) {
  Clear();
  dvx_.clear();
  dvx_.resize(2);
  dvs_.clear();
  dvs_.resize(1);
  reader.ReadLine(0);
  ReadStationHeader(reader.ReadLine(kColumnsBytes), stations, dvx_, dvs_);
  reader.ReadLine(0);
  reader.ReadLine(0);
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
  KeepWithEnd(reader.ReadLine());
  KeepWithEnd(reader.ReadLine());
  titleLine_.assign(reader.ReadLine(kColumnsBytes));
  StripFlagHeaders(titleLine_);
  KeepWithEnd(titleLine_);
  titleLine_.assign(reader.ReadLine(kColumnsBytes));
  CollapseEmptyHeaders(titleLine_);
  KeepWithEnd(titleLine_);
  if (reader.HoldRest(kHeldFileBytes)) {
    heldLines_.clear();
    reader.ReadHeldLines(kColumnsBytes, heldLines_);
    // Room for every usual line up front: a reshaped line is 31 bytes.
    text_.reserve(text_.size() + heldLines_.size() * 31);
    for (std::string_view line : heldLines_) KeepReshaped(line);
  } else {
    while (!reader.AtEnd()) KeepReshaped(reader.ReadLine(kColumnsBytes));
  }
}

}  // namespace dorvax
