#include "platform/numeric_text.h"

#include <string>

#include "platform/run_error.h"

namespace dorvax::platform {

namespace {

enum class Outcome { kOk, kNotANumber, kOverflow };

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Magnitudes beyond this can no longer fit any target; digits after it only
// matter for telling "overflow" from "not a number".
constexpr int64_t kSaturation = int64_t{1} << 40;

Outcome Parse(std::string_view s, int64_t& value) {
  std::size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
    while (i < n && IsBlank(s[i])) ++i;
  }
  int64_t magnitude = 0;
  bool anyDigit = false;
  for (; i < n && (IsDigit(s[i]) || s[i] == ','); ++i) {
    if (s[i] == ',') continue;
    anyDigit = true;
    if (magnitude < kSaturation) magnitude = magnitude * 10 + (s[i] - '0');
  }
  // The fraction decides the rounding: above one half rounds up, below rounds
  // down, exactly one half goes to the even neighbour.
  int firstFraction = -1;
  bool restNonZero = false;
  if (i < n && s[i] == '.') {
    for (++i; i < n && IsDigit(s[i]); ++i) {
      anyDigit = true;
      if (firstFraction < 0)
        firstFraction = s[i] - '0';
      else if (s[i] != '0')
        restNonZero = true;
    }
  }
  while (i < n && IsBlank(s[i])) ++i;
  if (i != n || !anyDigit) return Outcome::kNotANumber;
  if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || (magnitude & 1)))) ++magnitude;
  value = negative ? -magnitude : magnitude;
  return Outcome::kOk;
}

Outcome ReadChecked(std::string_view text, int32_t min, int32_t max, int32_t& out) {
  int64_t value = 0;
  Outcome outcome = Parse(text, value);
  if (outcome != Outcome::kOk) return outcome;
  if (value < min || value > max) return Outcome::kOverflow;
  out = static_cast<int32_t>(value);
  return Outcome::kOk;
}

}  // namespace

int32_t ReadInteger(std::string_view text, int32_t min, int32_t max) {
  int32_t out = 0;
  switch (ReadChecked(text, min, max, out)) {
    case Outcome::kOk: return out;
    case Outcome::kOverflow: throw MakeError(kErrOverflow);
    case Outcome::kNotANumber: break;
  }
  throw MakeError(kErrTypeMismatch);
}

std::optional<int32_t> TryReadInteger(std::string_view text, int32_t min, int32_t max) {
  int32_t out = 0;
  if (ReadChecked(text, min, max, out) != Outcome::kOk) return std::nullopt;
  return out;
}

}  // namespace dorvax::platform
