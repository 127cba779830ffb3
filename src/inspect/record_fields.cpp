#include "inspect/record_fields.h"

#include <cstdlib>

namespace dorvax::inspect {

namespace {

const char* SlotLetter(int slot) {
  switch (slot) {
    case kSlotA: return "A";
    case kSlotB: return "B";
    case kSlotD: return "D";
    default: return "C";
  }
}

std::string HourValueName(int hour, const char* letter) {
  return "hour " + std::to_string(hour) + " value " + letter;
}

}  // namespace

std::vector<NamedField> FieldsOf(const DvxDayRecord& record) {
  std::vector<NamedField> fields = {
      {"lead", record.intLead},   {"station", record.lngStationNo}, {"kind", record.intKind},
      {"year", record.intYear},   {"month", record.intMonth},       {"day", record.intDay},
  };
  for (int hour = 1; hour <= 24; ++hour)
    for (int slot = kSlotA; slot <= kSlotC; ++slot)
      fields.push_back({HourValueName(hour, SlotLetter(slot)), record.intValue[DvxIndex(hour, slot)]});
  for (int i = 1; i <= 17; ++i) fields.push_back({"trailer " + std::to_string(i), record.intTrailer[i]});
  for (int i = 1; i <= 4; ++i) fields.push_back({"long trailer " + std::to_string(i), record.lngTrailer[i]});
  return fields;
}

std::vector<NamedField> FieldsOf(const DvsDayRecord& record) {
  std::vector<NamedField> fields = {
      {"station", record.lngStationNo}, {"kind", record.intKind}, {"year", record.intYear},
      {"month", record.intMonth},       {"day", record.intDay},
  };
  for (int hour = 1; hour <= 24; ++hour) fields.push_back({HourValueName(hour, "E"), record.intValue[hour]});
  for (int i = 1; i <= 10; ++i) fields.push_back({"trailer " + std::to_string(i), record.intTrailer[i]});
  return fields;
}

std::optional<ValueBParts> SplitValueB(int16_t value) {
  if (value == -1 || value == MISSING) return std::nullopt;
  int high = value >> 8;  // arithmetic shift: the floor of value / 256
  return ValueBParts{value - high * 256, high};
}

std::optional<int> PresentValue(int16_t value) {
  if (value == MISSING) return std::nullopt;
  return value;
}

std::string TenthsText(int16_t value) {
  if (value == MISSING) return {};
  int magnitude = std::abs(static_cast<int>(value));
  std::string text = value < 0 ? "-" : "";
  return text + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

}  // namespace dorvax::inspect
