#include "support/source_tree.h"

#include "cp932_texts.h"
#include "hourly_file.h"
#include "platform/native_path.h"
#include "station_info.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

namespace {

// The generator's station for a number: one of its places (names in kanji
// and kana), a position in Tokyo and an elevation of 12 m.
treegen::Station GeneratorStation(const Station& s) {
  treegen::Station t;
  t.number = s.number;
  t.area = s.area;
  t.local = s.number % 1000;
  t.place = static_cast<std::size_t>(s.number) % treegen::cp932::kPlaceCount;
  for (std::size_t i = 0; i < 5; ++i) t.flags[i] = s.flags.at(i);
  t.latitude = 35 * 60 + 41;
  t.longitude = 139 * 60 + 45;
  t.elevation = 12;
  return t;
}

int YearOf(const std::string& yyyymm) { return std::stoi(yyyymm.substr(0, 4)); }
int MonthOf(const std::string& yyyymm) { return std::stoi(yyyymm.substr(4, 2)); }

std::string WithLineEnds(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

std::vector<Station> Stations(int count, int area) {
  std::vector<Station> stations;
  for (int n = 1; n <= count; ++n) stations.push_back({area * 1000 + n, area});
  return stations;
}

std::string HourlyFileName(const Station& station, const std::string& yyyymm) {
  return treegen::HourlyFileName(GeneratorStation(station), yyyymm);
}

std::string AreaFolderName(int area) { return "area" + std::to_string(area); }

Hour At(int day, int hour) {
  Hour h;
  h.day = day;
  h.hour = hour;
  return h;
}

std::string DataLine(const Hour& h) {
  return treegen::FormatDataLine(h.day, h.hour, {h.a, h.flagA}, {h.b1, h.flagB1}, {h.b2, h.flagB2}, {h.c, h.flagC},
                                 {h.d, h.flagD}, {h.e, h.flagE});
}

std::vector<std::string> CompleteDays(int days) {
  std::vector<std::string> lines;
  for (int day = 1; day <= days; ++day)
    for (int hour = 1; hour <= 24; ++hour) lines.push_back(DataLine(At(day, hour)));
  return lines;
}

std::string StationLine(const Station& station) {
  return treegen::MakeStationRow(GeneratorStation(station), false).text;
}

std::string StationInfoFile(const std::string& yyyymm, const std::vector<std::string>& lines) {
  const auto titles = treegen::StationInfoHeader(YearOf(yyyymm), MonthOf(yyyymm));
  return WithLineEnds({titles[0], titles[1]}) + WithLineEnds(lines);
}

std::string StationHeaderLine(int32_t number, const std::string& yyyymm) {
  return treegen::HourlyHeader(GeneratorStation({number}), YearOf(yyyymm), MonthOf(yyyymm))[1];
}

std::string HourlyFile(int32_t number, const std::string& yyyymm, const std::vector<std::string>& dataLines) {
  const auto header = treegen::HourlyHeader(GeneratorStation({number}), YearOf(yyyymm), MonthOf(yyyymm));
  return WithLineEnds({header.begin(), header.end()}) + WithLineEnds(dataLines);
}

SourceTree::SourceTree(const std::string& root) : hourly_(root + Native("dorvax/hourly/")) {}

std::string SourceTree::Path(const std::string& relative) const { return hourly_ + Native(relative); }

const SourceTree& SourceTree::Month(const std::string& yyyymm, const std::vector<Station>& stations) const {
  std::vector<std::string> lines;
  for (const Station& s : stations) lines.push_back(StationLine(s));
  File(yyyymm + "/idx" + yyyymm + ".csv", StationInfoFile(yyyymm, lines));
  for (const Station& s : stations)
    File(yyyymm + "/" + AreaFolderName(s.area) + "/" + HourlyFileName(s, yyyymm),
         HourlyFile(s.number, yyyymm, CompleteDays(s.days)));
  return *this;
}

const SourceTree& SourceTree::File(const std::string& relative, const std::string& bytes) const {
  const std::string path = Path(relative);
  MakeFolders(path.substr(0, path.find_last_of(platform::kPathSeparator)));
  WriteBytes(path, bytes);
  return *this;
}

const SourceTree& SourceTree::Folder(const std::string& relative) const {
  MakeFolders(Path(relative));
  return *this;
}

}  // namespace dorvax::testing
