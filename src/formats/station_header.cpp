#include "formats/station_header.h"

#include "platform/cp932.h"
#include "platform/numeric_text.h"

namespace dorvax {

namespace {

// Kind of a station that the month's station information does not list.
constexpr int16_t kKindUnlisted = 4;
// intSnow of a station that has value E; also the kind of its DVS records.
constexpr int16_t kSnowPresent = 5;

struct StationHeader {
  int32_t stationNo;
  int16_t year;
  int16_t month;
};

StationHeader ReadHeaderFields(std::string_view line) {
  const platform::cp932::ColumnIndex cols(line, 44);
  StationHeader header;
  header.stationNo = platform::ReadInt32(cols.Field(1, 5));
  header.year = platform::ReadInt16(cols.Field(40, 2));
  header.month = platform::ReadInt16(cols.Field(43, 2));
  return header;
}

}  // namespace

void ReadStationHeader(std::string_view line, const StationTable& typStation, DvxRecordList& dvxRecords,
                       DvsRecordList& dvsRecords) {
  // Index 0 of both lists is never used; record 1 is the file's first day.
  if (dvxRecords.size() < 2) dvxRecords.resize(2);
  if (dvsRecords.empty()) dvsRecords.resize(1);

  StationHeader header = ReadHeaderFields(line);
  DvxDayRecord& first = dvxRecords.back();
  first.intLead = 0;
  first.lngStationNo = header.stationNo;
  first.intYear = header.year;
  first.intMonth = header.month;

  const StationInfo* station = typStation.Find(header.year, header.month, header.stationNo);
  first.intKind = station ? station->intKind : kKindUnlisted;
  if (station == nullptr || station->intSnow != kSnowPresent) return;

  DvsDayRecord& snowFirst = dvsRecords.emplace_back();
  snowFirst.lngStationNo = header.stationNo;
  snowFirst.intKind = station->intSnow;
  snowFirst.intYear = header.year;
  snowFirst.intMonth = header.month;
}

}  // namespace dorvax
