#include "formats/station_table.h"

namespace dorvax {

void StationTable::Reset() {
  entries_.clear();
  entries_.emplace_back();
  firstIndex_.clear();
}

std::size_t StationTable::Append(const StationInfo& info) {
  entries_.push_back(info);
  std::size_t index = entries_.size() - 1;
  firstIndex_.try_emplace(Key(info.intYear, info.intMonth, info.lngStationNo), index);
  return index;
}

const StationInfo* StationTable::Find(int16_t year, int16_t month, int32_t stationNo) const {
  auto it = firstIndex_.find(Key(year, month, stationNo));
  return it == firstIndex_.end() ? nullptr : &entries_[it->second];
}

}  // namespace dorvax
