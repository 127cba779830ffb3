#include "hourly_file.h"

#include "cp932_line.h"
#include "cp932_texts.h"
#include "prng.h"

#include <algorithm>

namespace treegen {

namespace {

constexpr int kSeasonTenths[12] = {-120, -100, -50, 10, 60, 100, 140, 150, 110, 50, -20, -90};
constexpr int kDayCycleTenths[24] = {-30, -35, -40, -45, -48, -45, -35, -20, -5,  10,  22,  32,
                                     38,  40,  38,  32,  22,  10,  0,   -8,  -15, -20, -25, -28};

// Draws plausible hourly weather for one station and month: temperatures follow
// season and time of day, snow depth drifts slowly, wind calm means no direction.
class WeatherSource {
 public:
  WeatherSource(const Station& station, int month, const Options& options, SplitMix64& rng)
      : station_(station), month_(month), options_(options), rng_(rng) {
    const bool winter = month <= 4 || month >= 11;
    snow_ = station.HasValueE() && winter ? rng_.Between(0, 150) : 0;
  }

  DataLine Draw(int day, int hour) {
    DataLine line;
    line.day = day;
    line.hour = hour;
    line.a = Present(rng_.Chance(0.12) ? rng_.Between(0, 150) : 0);
    const int speed = rng_.Between(0, 15) + (rng_.Chance(0.05) ? rng_.Between(0, 20) : 0);
    line.b1 = Present(speed);
    line.b2 = Present(speed == 0 ? 0 : rng_.Between(1, 16));
    const int temperature =
        station_.climate + kSeasonTenths[month_ - 1] + kDayCycleTenths[hour - 1] + rng_.Between(-15, 15);
    line.c = Present(std::clamp(temperature, -399, 450));
    line.d = Present(hour >= 6 && hour <= 18 ? rng_.Between(0, 10) : 0);
    snow_ = std::clamp(snow_ + rng_.Between(-2, 3) * (snow_ > 0 ? 1 : 0), 0, 999);
    line.e = station_.HasValueE() ? Present(snow_) : Reading{0, 9};
    const bool slashes = rng_.Chance(0.5);
    line.text = FormatDataLine(day, hour, line.a, line.b1, line.b2, line.c, line.d, line.e, slashes);
    return line;
  }

 private:
  Reading Present(int value) {
    if (rng_.Chance(options_.missingValue)) return Reading{0, 9};
    return Reading{value, rng_.Chance(options_.otherFlag) ? rng_.Between(1, 8) : 0};
  }

  const Station& station_;
  int month_;
  const Options& options_;
  SplitMix64& rng_;
  int snow_ = 0;
};

void AppendLine(std::string& bytes, const std::string& line) {
  bytes.append(line);
  bytes.append("\r\n");
}

}  // namespace

std::string HourlyFileName(const Station& station, const std::string& monthFolder) {
  Cp932Line name;
  name.Text("ah").Number(station.area, 2, true).Number(station.local, 3, true);
  name.Text("_").Text(monthFolder).Text(".csv");
  return name.Bytes();
}

std::array<std::string, 4> HourlyHeader(const Station& station, int year, int month) {
  const cp932::Place& place = cp932::kPlaces[station.place];
  Cp932Line title;
  title.Text(cp932::kHourlyTitle).Text(",").Number(year, 4, false).Text(cp932::kYear);
  title.Number(month, 2, true).Text(cp932::kMonth);

  std::string names(place.kanji);
  names.append(",");
  names.append(place.kana);
  Cp932Line head;
  head.Number(station.number, 5, true).Text(",");                // 1-5, 6
  head.Field(names, 32).Text(",");                               // 7-38, 39
  head.Number(year % 100, 2, true).Text(",");                    // 40-41, 42
  head.Number(month, 2, true).Text(",").Text(place.prefecture);  // 43-44

  Cp932Line columns;
  columns.Text(cp932::kDay).Text(",").Text(cp932::kHour);
  for (std::string_view title3 : {cp932::kPrecipitation, cp932::kWindSpeed, cp932::kWindDirection, cp932::kTemperature,
                                  cp932::kSunshine, cp932::kSnowDepth}) {
    columns.Text(",").Text(title3).Text(",Flag");
  }

  Cp932Line units;
  units.Text(",,");
  for (std::string_view unit : {std::string_view("(mm)"), std::string_view("(m/s)"), cp932::kDirectionUnit,
                                cp932::kCelsiusUnit, std::string_view("(h)"), std::string_view("(cm)")}) {
    units.Text(unit).Text(",,");
  }
  return {title.Bytes(), head.Bytes(), columns.Bytes(), units.Bytes()};
}

void BuildHourlyFile(const Station& station, const Options& options, HourlyFile& file, std::string& bytes) {
  file.header = HourlyHeader(station, file.year, file.month);
  for (const std::string& line : file.header) AppendLine(bytes, line);

  SplitMix64 rng(DeriveSeed(options.seed, static_cast<std::uint64_t>(file.year * 100 + file.month),
                            static_cast<std::uint64_t>(station.number)));
  WeatherSource weather(station, file.month, options, rng);
  const bool irregular = !options.complete;
  const int days = DaysOfMonth(file.year, file.month);
  const int endSlot = irregular && rng.Chance(options.earlyEnd) ? rng.Below(days * 24) : days * 24;

  for (int day = 1; day <= days; ++day) {
    if (irregular && rng.Chance(options.missingDay)) continue;
    for (int hour = 1; hour <= 24; ++hour) {
      if ((day - 1) * 24 + hour - 1 >= endSlot) return;
      if (irregular && rng.Chance(options.missingHour)) continue;
      DataLine line = weather.Draw(day, hour);
      const int copies = irregular && rng.Chance(options.repeatedLine) ? 2 : 1;
      for (int n = 0; n < copies; ++n) {
        AppendLine(bytes, line.text);
        ++file.lineCount;
        if (options.keepLines) file.lines.push_back(line);
      }
    }
  }
}

}  // namespace treegen
