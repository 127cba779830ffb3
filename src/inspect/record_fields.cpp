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

FieldForm SlotForm(int slot) {
  switch (slot) {
    case kSlotA: return FieldForm::kValue;
    case kSlotB: return FieldForm::kValueB;
    default: return FieldForm::kTenths;
  }
}

std::string HourValueName(int hour, const char* letter) { return "hour " + std::to_string(hour) + " value " + letter; }

}  // namespace

std::vector<NamedField> FieldsOf(const DvxDayRecord& record) {
  std::vector<NamedField> fields = {
      {"lead", record.intLead}, {"station", record.lngStationNo}, {"kind", record.intKind},
      {"year", record.intYear}, {"month", record.intMonth},       {"day", record.intDay},
  };
  for (int hour = 1; hour <= 24; ++hour)
    for (int slot = kSlotA; slot <= kSlotC; ++slot)
      fields.push_back({HourValueName(hour, SlotLetter(slot)), record.intValue[DvxIndex(hour, slot)], SlotForm(slot)});
  for (int i = 1; i <= 17; ++i) fields.push_back({"trailer " + std::to_string(i), record.intTrailer[i]});
  for (int i = 1; i <= 4; ++i) fields.push_back({"long trailer " + std::to_string(i), record.lngTrailer[i]});
  return fields;
}

std::vector<NamedField> FieldsOf(const DvsDayRecord& record) {
  std::vector<NamedField> fields = {
      {"station", record.lngStationNo}, {"kind", record.intKind}, {"year", record.intYear},
      {"month", record.intMonth},       {"day", record.intDay},
  };
  for (int hour = 1; hour <= 24; ++hour)
    fields.push_back({HourValueName(hour, "E"), record.intValue[hour], FieldForm::kValue});
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

std::string ValueText(int16_t value) {
  auto present = PresentValue(value);
  return present ? std::to_string(*present) : std::string();
}

ValueBTexts ValueBText(int16_t value) {
  auto parts = SplitValueB(value);
  if (!parts) return {};
  return {std::to_string(parts->b1), std::to_string(parts->b2)};
}

std::vector<ShownPart> ShownParts(const NamedField& field) {
  // Record fields hold 16 bits except the station number, which is always
  // a plain number.
  const auto value = static_cast<int16_t>(field.value);
  switch (field.form) {
    case FieldForm::kValue: return {{field.name, ValueText(value)}};
    case FieldForm::kTenths: return {{field.name, TenthsText(value)}};
    case FieldForm::kValueB: {
      ValueBTexts b = ValueBText(value);
      return {{field.name + "1", b.b1}, {field.name + "2", b.b2}};
    }
    case FieldForm::kNumber: break;
  }
  return {{field.name, std::to_string(field.value)}};
}

}  // namespace dorvax::inspect
