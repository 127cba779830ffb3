// The generated station network: which stations exist, in which area, with which
// observed elements. It is drawn once per run so that every month lists the same
// stations, as the real network changes only slowly.
#pragma once

#include "treegen.h"

#include <array>
#include <cstdint>
#include <vector>

namespace treegen {

struct Station {
  std::int32_t number = 0;      // area * 1000 + local number
  int area = 0;                 // 11..94
  int local = 0;                // 1..999, the last three digits of the number
  std::size_t place = 0;        // index into cp932::kPlaces
  std::array<char, 5> flags{};  // '0' / '1' for A..E
  int latitude = 0;             // minutes of arc
  int longitude = 0;            // minutes of arc
  int elevation = 0;            // metres, 0..9999
  int climate = 0;              // base temperature in tenths (colder in the north)

  bool HasValueE() const { return flags[4] == '1'; }
};

// Stations in ascending number order (which is also area folder / file name order).
std::vector<Station> BuildNetwork(const Options& options);

// The station kind and fifth-value mark that the station information implies.
int KindOfFlags(const std::array<char, 5>& flags);
int SnowOfFlags(const std::array<char, 5>& flags);

}  // namespace treegen
