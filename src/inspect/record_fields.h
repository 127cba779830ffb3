#pragma once
// The fields of decoded day records, named for difference lines, and the
// readings of the hourly values for display.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/day_records.h"

namespace dorvax::inspect {

// How a field reads in both tools (dump rows and compare's difference lines).
enum class FieldForm {
  kNumber,  // header and trailer fields: the number as stored
  kValue,   // values A and E: the number, or missing
  kTenths,  // values C and D: in decimal form (123 -> 12.3), or missing
  kValueB,  // value B: its two parts B1 and B2, or missing
};

struct NamedField {
  std::string name;  // "station", "hour 7 value C", "trailer 15", ...
  int32_t value;
  FieldForm form = FieldForm::kNumber;
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

// Value A or E as text; empty when it holds MISSING.
std::string ValueText(int16_t value);

// B1 and B2 as texts, both empty when B is missing.
struct ValueBTexts {
  std::string b1, b2;
};
ValueBTexts ValueBText(int16_t value);

// A field as the tools show it: value B as its parts B1 and B2, any other
// field as one part. A part's text is empty when the value is missing.
struct ShownPart {
  std::string name;  // "hour 7 value B1", "hour 7 value C", "trailer 15"
  std::string text;  // "14", "12.3", "-1"; "" for a missing value
};
std::vector<ShownPart> ShownParts(const NamedField& field);

// A missing value where a text cannot be left empty: JSON rows and
// difference lines (a CSV field stays empty).
inline constexpr const char* kMissingText = "null";

}  // namespace dorvax::inspect
