// Generate(): validates the options, draws the station network and writes every
// month folder with its station information and hourly files.
#include "hourly_file.h"
#include "station_info.h"
#include "station_network.h"
#include "treegen.h"

#include "prng.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <stdexcept>

namespace treegen {

namespace {

void CheckProbability(double p, const char* name) {
  if (!(p >= 0.0 && p <= 1.0)) throw std::invalid_argument(std::string(name) + " must lie in [0, 1]");
}

void Validate(const Options& options) {
  if (options.root.empty()) throw std::invalid_argument("no root folder given");
  if (options.stations < 0) throw std::invalid_argument("the number of stations must not be negative");
  std::set<int> months;
  for (int ym : options.months) {
    if (ym / 100 < 1974 || ym / 100 > 2099 || ym % 100 < 1 || ym % 100 > 12) {
      throw std::invalid_argument("not a month yyyymm of 1974..2099: " + std::to_string(ym));
    }
    if (!months.insert(ym).second) throw std::invalid_argument("repeated month: " + std::to_string(ym));
  }
  std::set<int> areas;
  for (int area : options.areas) {
    if (area < 11 || area > 94) throw std::invalid_argument("areas must lie in 11..94");
    if (!areas.insert(area).second) throw std::invalid_argument("repeated area: " + std::to_string(area));
  }
  CheckProbability(options.missingHour, "missingHour");
  CheckProbability(options.missingDay, "missingDay");
  CheckProbability(options.earlyEnd, "earlyEnd");
  CheckProbability(options.repeatedLine, "repeatedLine");
  CheckProbability(options.missingValue, "missingValue");
  CheckProbability(options.otherFlag, "otherFlag");
  CheckProbability(options.valueE, "valueE");
  CheckProbability(options.valueEOnly, "valueEOnly");
  CheckProbability(options.unlisted, "unlisted");
  CheckProbability(options.shortInfoLine, "shortInfoLine");
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes, Model& model) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + path.string() + ": " + std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) throw std::runtime_error("cannot write " + path.string());
  model.bytesWritten += bytes.size();
  ++model.filesWritten;
}

std::string AreaFolderName(int area) { return "area" + std::to_string(area); }

// Which stations of the network this month leaves out of the station information
// or lists with a cut line; drawn from the month's own stream.
struct MonthListing {
  std::vector<bool> unlisted;
  std::vector<bool> shortLine;
};

MonthListing DrawListing(const std::vector<Station>& network, const Options& options, int yyyymm) {
  SplitMix64 rng(DeriveSeed(options.seed, static_cast<std::uint64_t>(yyyymm), 0x696478));
  MonthListing listing;
  for (std::size_t i = 0; i < network.size(); ++i) {
    listing.unlisted.push_back(rng.Chance(options.unlisted));
    listing.shortLine.push_back(rng.Chance(options.shortInfoLine));
  }
  return listing;
}

void WriteStationInfo(MonthModel& month, const std::vector<Station>& network, const MonthListing& listing,
                      const std::filesystem::path& folder, Model& model) {
  const int year = month.yyyymm / 100;
  month.infoHeader = StationInfoHeader(year, month.yyyymm % 100);
  std::string bytes;
  for (const std::string& line : month.infoHeader) bytes.append(line).append("\r\n");
  for (std::size_t i = 0; i < network.size(); ++i) {
    if (listing.unlisted[i]) continue;
    month.stations.push_back(MakeStationRow(network[i], listing.shortLine[i]));
    bytes.append(month.stations.back().text).append("\r\n");
  }
  WriteFile(folder / month.infoFileName, bytes, model);
}

MonthModel GenerateMonth(int yyyymm, const std::vector<Station>& network, const Options& options, Model& model) {
  MonthModel month;
  month.yyyymm = yyyymm;
  month.folder = std::to_string(yyyymm);
  month.infoFileName = "idx" + month.folder + ".csv";
  const std::filesystem::path folder = model.hourlyRoot / month.folder;
  std::filesystem::create_directories(folder);

  const MonthListing listing = DrawListing(network, options, yyyymm);
  WriteStationInfo(month, network, listing, folder, model);

  std::string bytes;
  for (std::size_t i = 0; i < network.size(); ++i) {
    const Station& station = network[i];
    const std::string area = AreaFolderName(station.area);
    if (month.areaFolders.empty() || month.areaFolders.back() != area) {
      month.areaFolders.push_back(area);
      std::filesystem::create_directories(folder / area);
    }
    HourlyFile file;
    file.monthFolder = month.folder;
    file.areaFolder = area;
    file.fileName = HourlyFileName(station, month.folder);
    file.stationNo = station.number;
    file.year = yyyymm / 100;
    file.month = yyyymm % 100;
    file.listed = !listing.unlisted[i];
    bytes.clear();
    BuildHourlyFile(station, options, file, bytes);
    WriteFile(folder / area / file.fileName, bytes, model);
    month.files.push_back(std::move(file));
  }
  return month;
}

}  // namespace

Model Generate(const Options& options) {
  Validate(options);
  const std::vector<Station> network = BuildNetwork(options);
  Model model;
  model.hourlyRoot = options.root / "dorvax" / "hourly";
  std::filesystem::create_directories(model.hourlyRoot);
  for (int yyyymm : options.months) model.months.push_back(GenerateMonth(yyyymm, network, options, model));
  return model;
}

}  // namespace treegen
