#pragma once
// Building the day records of one binary-era hourly file: one record per day
// with 24 hours of values, hours without a line marked missing, the month
// completed with missing hours when the file stops early, and the fixed
// trailers set.
#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/day_records.h"

namespace dorvax {

// The data lines of one file, numbered from 1 (element 0 unused).
using DataLines = std::vector<std::string_view>;

void BuildDayRecords(const DataLines& lines, DvxRecordList& dvxRecords, DvsRecordList& dvsRecords);

void InitDvxTrailer(DvxDayRecord& record);
void InitDvsTrailer(DvsDayRecord& record);
void AppendDvxDay(DvxRecordList& dvxRecords);
void AppendDvsDay(DvsRecordList& dvsRecords);
int16_t DaysInMonth(int16_t year, int16_t month);

}  // namespace dorvax
