#include "station_network.h"

#include "cp932_texts.h"
#include "prng.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace treegen {

namespace {

// Elevations that exercise the zero blanking of the old station index.
constexpr int kSpecialElevations[] = {12, 100, 0, 1000};

std::array<char, 5> DrawFlags(SplitMix64& rng, const Options& options) {
  const bool hasE = rng.Chance(options.valueE);
  if (hasE && rng.Chance(options.valueEOnly)) return {'0', '0', '0', '0', '1'};
  const char e = hasE ? '1' : '0';
  const int pick = rng.Below(10);
  if (pick < 3) return {'1', '0', '0', '0', e};  // precipitation-only station: kind 1
  if (pick < 9) return {'1', '1', '1', '1', e};  // full station: kind 4
  switch (rng.Below(3)) {                        // rarer combinations: kind 4
    case 0: return {'0', '0', '0', '0', e};
    case 1: return {'1', '1', '0', '0', e};
    default: return {'1', '1', '1', '0', e};
  }
}

std::vector<int> AreasOf(const Options& options) {
  if (!options.areas.empty()) return options.areas;
  std::vector<int> all;
  for (int area = 11; area <= 94; ++area) all.push_back(area);
  return all;
}

}  // namespace

int KindOfFlags(const std::array<char, 5>& flags) {
  const bool a = flags[0] == '1';
  const bool bcdZero = flags[1] == '0' && flags[2] == '0' && flags[3] == '0';
  if (a && bcdZero) return 1;
  if (flags[4] == '1' && flags[0] == '0' && bcdZero) return -1;
  return 4;
}

int SnowOfFlags(const std::array<char, 5>& flags) { return flags[4] == '1' ? 5 : -1; }

std::vector<Station> BuildNetwork(const Options& options) {
  const std::vector<int> areas = AreasOf(options);
  if (options.stations > static_cast<int>(areas.size()) * 999) {
    throw std::invalid_argument("too many stations for the chosen areas (at most 999 per area)");
  }
  SplitMix64 rng(DeriveSeed(options.seed, 0x6E6574, 0));
  std::vector<std::set<int>> used(areas.size());
  std::vector<Station> stations;
  for (int i = 0; i < options.stations; ++i) {
    Station s;
    const std::size_t slot = static_cast<std::size_t>(i) % areas.size();
    s.area = areas[slot];
    do s.local = rng.Between(1, 999);
    while (!used[slot].insert(s.local).second);
    s.number = s.area * 1000 + s.local;
    s.place = static_cast<std::size_t>(rng.Below(static_cast<int>(cp932::kPlaceCount)));
    s.flags = DrawFlags(rng, options);
    s.latitude = rng.Between(24 * 60, 45 * 60 + 30);
    s.longitude = rng.Between(123 * 60, 145 * 60 + 50);
    s.elevation = rng.Between(0, 1500);
    s.climate = 250 - (s.latitude - 24 * 60) / 6;
    stations.push_back(s);
  }
  std::sort(stations.begin(), stations.end(), [](const Station& x, const Station& y) { return x.number < y.number; });
  for (std::size_t i = 0; i < stations.size() && i < std::size(kSpecialElevations); ++i) {
    stations[i].elevation = kSpecialElevations[i];
  }
  return stations;
}

}  // namespace treegen
