#pragma once
// The station table: every station of the binary-era months of the current
// pass, in the order their station information lines were read. Index 0 is
// never used; entries start at index 1.
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace dorvax {

struct StationInfo {
  int16_t intYear = 0;   // two-digit observation year (99 for 1999)
  int16_t intMonth = 0;  // 1 to 12
  int32_t lngStationNo = 0;
  int16_t intKind = 0;  // 1, 4 or -1
  int16_t intSnow = 0;  // 5 when the station has value E, otherwise -1
};

class StationTable {
 public:
  StationTable() { Reset(); }
  // Back to the single unused entry 0.
  void Reset();
  // Appends an entry at the end; returns its index.
  std::size_t Append(const StationInfo& info);
  // The entry with the lowest index whose key equals the three values, or
  // nothing. Keys need not be unique.
  const StationInfo* Find(int16_t year, int16_t month, int32_t stationNo) const;
  // The index of the last entry (0 when empty).
  std::size_t LastIndex() const { return entries_.size() - 1; }
  const StationInfo& operator[](std::size_t index) const { return entries_[index]; }

 private:
  static uint64_t Key(int16_t year, int16_t month, int32_t stationNo) {
    return (uint64_t{static_cast<uint16_t>(year)} << 48) | (uint64_t{static_cast<uint16_t>(month)} << 32) |
           static_cast<uint32_t>(stationNo);
  }
  std::vector<StationInfo> entries_;
  // Key -> lowest index holding it; a whole year holds tens of thousands of
  // entries and every hourly file looks one up.
  std::unordered_map<uint64_t, std::size_t> firstIndex_;
};

}  // namespace dorvax
