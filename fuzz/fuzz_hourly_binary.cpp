// A whole binary-era hourly file: the station header, then the day records of
// its data lines. Any input must end (no endless hour stepping), stay within
// a bounded number of records, and fail only with the converter's errors.
#include <cstdint>
#include <string_view>

#include "formats/day_records.h"
#include "formats/station_header.h"
#include "fuzz_support.h"
#include "hourly/day_builder.h"

namespace {
dorvax::StationTable MakeTable() {
  dorvax::StationTable table;
  table.Append({99, 1, 500, 4, 5});
  table.Append({99, 1, 44132, 1, -1});
  table.Append({99, 2, 500, -1, 5});
  return table;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const dorvax::StationTable table = MakeTable();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto lines = fuzzing::SplitLines(input);
  if (lines.size() < 4) return 0;  // the reader stops such a file with error 62
  dorvax::DvxRecordList dvx(2);
  dorvax::DvsRecordList dvs(1);
  dorvax::DataLines dataLines(1);
  for (std::size_t i = 4; i < lines.size(); ++i) dataLines.push_back(lines[i]);
  try {
    dorvax::ReadStationHeader(lines[1], table, dvx, dvs);
    dorvax::BuildDayRecords(dataLines, dvx, dvs);
  } catch (const dorvax::platform::RunError& e) {
    fuzzing::ExpectKnownError(e);
    return 0;
  }
  // At most one record per 24 hours stepped, plus the first.
  std::size_t n = dataLines.size() - 1;
  std::size_t bound = (n * 24 + 31 * 24) / 24 + 2;
  fuzzing::Require(dvx.size() <= bound + 1);
  fuzzing::Require(dvs.size() <= 1 || dvs.size() == dvx.size());
  unsigned char bytes[dorvax::kDvxRecordSize];
  for (std::size_t d = 1; d < dvx.size(); ++d) {
    dorvax::EncodeDvxRecord(dvx[d], bytes);
    dorvax::DvxDayRecord back = dorvax::DecodeDvxRecord(bytes);
    fuzzing::Require(back.lngStationNo == dvx[d].lngStationNo && back.intDay == dvx[d].intDay);
  }
  return 0;
}
