#pragma once
// The station header (line 2) of a binary-era hourly file: it fills the
// first day record and decides, through the station table, the station kind
// and whether the station gets records of value E.
#include <string_view>

#include "formats/day_records.h"
#include "formats/station_table.h"

namespace dorvax {

// `dvxRecords` holds index 0 and record 1 (all zero); `dvsRecords` holds
// only index 0. Fills record 1 from columns 1-5 (station number), 40-41
// (year) and 43-44 (month) and appends DVS record 1 for a station with
// value E.
void ReadStationHeader(std::string_view line, const StationTable& typStation, DvxRecordList& dvxRecords,
                       DvsRecordList& dvsRecords);

}  // namespace dorvax
