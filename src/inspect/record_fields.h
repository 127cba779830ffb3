#pragma once
// The fields of decoded day records, named for difference lines, and the
// readings of the hourly values for display.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/day_records.h"

namespace dorvax::inspect {

struct NamedField {
  std::string name;  // "station", "hour 7 value C", "trailer 15", ...
  int32_t value;
};

// Every field of a record in the order of its bytes.
std::vector<NamedField> FieldsOf(const DvxDayRecord& record);
std::vector<NamedField> FieldsOf(const DvsDayRecord& record);

// Value B as its two parts: B1 the low byte (0..255), B2 the high byte
// (signed), so that B = B2 * 256 + B1. Nothing when B is missing (written
// as -1, or MISSING).
struct ValueBParts {
  int b1;
  int b2;
};
std::optional<ValueBParts> SplitValueB(int16_t value);

// A value other than B, or nothing when it holds MISSING.
std::optional<int> PresentValue(int16_t value);

// A value in tenths as a decimal number: 123 -> "12.3", -5 -> "-0.5";
// empty text when it holds MISSING.
std::string TenthsText(int16_t value);

}  // namespace dorvax::inspect
