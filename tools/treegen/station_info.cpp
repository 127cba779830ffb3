#include "station_info.h"

#include "cp932_line.h"
#include "cp932_texts.h"

namespace treegen {

namespace {

constexpr std::size_t kShortLineChars = 88;

std::string YearMonthTitle(int year, int month) {
  Cp932Line line;
  line.Number(year, 4, false).Text(cp932::kYear).Number(month, 2, true).Text(cp932::kMonth);
  return line.Bytes();
}

// Characters 1..101 (and a remark after): number, names, location, coordinates,
// elevation, observation start and the five element flags at 93..101.
std::string StationLineText(const Station& s) {
  const cp932::Place& place = cp932::kPlaces[s.place];
  std::string reading(place.kana);
  reading.append(place.halfKana);
  std::string location(place.prefecture);
  location.append(place.kanji);

  Cp932Line line;
  line.Number(s.number, 5, true).Text(",");              // 1-5, 6
  line.Field(place.kanji, 7).Text(",");                  // 7-13, 14
  line.Number(s.area, 2, true).Text(",");                // 15-16, 17
  line.Field(reading, 11).Text(",");                     // 18-28, 29
  line.Field(location, 34).Text(",");                    // 30-63, 64
  line.Number(s.latitude / 60, 2, true).Text(",");       // 65-66, 67
  line.Number(s.latitude % 60, 2, true).Text(",");       // 68-69, 70
  line.Number(s.local % 10, 1, false).Text(",");         // 71, 72
  line.Number(s.longitude / 60, 3, true).Text(",");      // 73-75, 76
  line.Number(s.longitude % 60, 2, true).Text(",");      // 77-78, 79
  line.Number((s.local / 10) % 10, 1, false).Text(",");  // 80, 81
  line.Number(s.elevation, 4, true).Text(",");           // 82-85, 86
  line.Number(1961 + s.local % 30, 5, false).Text(",");  // 87-91, 92 (start year)
  for (std::size_t i = 0; i < 5; ++i) {                  // 93, 95, 97, 99, 101
    if (i > 0) line.Text(",");
    line.Text(std::string(1, s.flags[i]));
  }
  line.Text(",").Text(place.prefecture);
  return line.Bytes();
}

}  // namespace

std::array<std::string, 2> StationInfoHeader(int year, int month) {
  Cp932Line title;
  title.Text(cp932::kStationInfoTitle).Text(",").Text(YearMonthTitle(year, month));
  Cp932Line columns;
  columns.Text(cp932::kStationNumber)
      .Text(",")
      .Text(cp932::kStationName)
      .Text(",")
      .Text(cp932::kKanaName)
      .Text(",")
      .Text(cp932::kLocation)
      .Text(",")
      .Text(cp932::kLatitude)
      .Text(",")
      .Text(cp932::kLongitude)
      .Text(",")
      .Text(cp932::kElevation)
      .Text(",")
      .Text(cp932::kElements)
      .Text(",")
      .Text(cp932::kRemarks);
  return {title.Bytes(), columns.Bytes()};
}

StationRow MakeStationRow(const Station& station, bool shortLine) {
  StationRow row;
  row.text = StationLineText(station);
  row.stationNo = station.number;
  if (shortLine) {
    row.text.resize(Cp932PrefixBytes(row.text, kShortLineChars));
    row.flags = {};
  } else {
    row.flags = station.flags;
  }
  row.kind = KindOfFlags(row.flags);
  row.snow = SnowOfFlags(row.flags);
  return row;
}

}  // namespace treegen
