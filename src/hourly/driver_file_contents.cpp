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
}  // namespace

void HourlyFileContents::Clear() {
  text_.clear();
  spans_.clear();
}

void HourlyFileContents::Keep(std::string_view line) {
  spans_.emplace_back(text_.size(), line.size());
  text_.append(line);
}

void HourlyFileContents::IndexDataLines() {
  dataLines_.resize(spans_.size() + 1);
  dataLines_[0] = {};
  for (std::size_t i = 0; i < spans_.size(); ++i) dataLines_[i + 1] = Line(i);
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
  while (!reader.AtEnd()) Keep(reader.ReadLine(kColumnsBytes));
  IndexDataLines();
  BuildDayRecords(dataLines_, dvx_, dvs_);
}

void HourlyFileContents::ReadTextEra(platform::TextReader& reader) {
  Clear();
  Keep(reader.ReadLine());
  Keep(reader.ReadLine());
  titleLine_.assign(reader.ReadLine(kColumnsBytes));
  StripFlagHeaders(titleLine_);
  Keep(titleLine_);
  titleLine_.assign(reader.ReadLine(kColumnsBytes));
  CollapseEmptyHeaders(titleLine_);
  Keep(titleLine_);
  while (!reader.AtEnd()) {
    ReshapeDataLineInto(reader.ReadLine(kColumnsBytes), reshaped_);
    Keep(reshaped_);
  }
}

}  // namespace dorvax
