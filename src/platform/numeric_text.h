#pragma once
// The one rule by which text becomes an integer: blanks before and after are
// ignored, a leading sign is allowed, "," group separators are ignored, a
// fractional part is rounded to the nearest integer with halves going to the
// even neighbour. Text that is not a number raises error 13, a number outside
// the target range error 6.
#include <cstdint>
#include <optional>
#include <string_view>

namespace dorvax::platform {

// Reads a number into the range [min, max]; throws RunError 13 or 6.
int32_t ReadInteger(std::string_view text, int32_t min, int32_t max);

namespace detail {

// The usual short field of a data line - blanks, an optional sign, digits and
// group commas, at most nine bytes - read in line without the general
// parser; it runs several times for every data line of a file. Anything else
// (a decimal point, a tab, no digit at all, a longer text) gives false and is
// left to ReadInteger, which also decides every error.
inline bool ReadPlainField(std::string_view text, int32_t& out) {
  if (text.size() > 9) return false;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
    while (p != end && *p == ' ') ++p;
  }
  int32_t value = 0;
  bool anyDigit = false;
  for (; p != end; ++p) {
    auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - unsigned{'0'};
    if (digit <= 9) {
      value = value * 10 + static_cast<int32_t>(digit);
      anyDigit = true;
    } else if (*p != ',') {
      break;
    }
  }
  while (p != end && *p == ' ') ++p;
  if (p != end || !anyDigit) return false;
  out = negative ? -value : value;
  return true;
}

}  // namespace detail

inline int16_t ReadInt16(std::string_view text) {
  int32_t value = 0;
  if (detail::ReadPlainField(text, value) && value >= INT16_MIN && value <= INT16_MAX)
    return static_cast<int16_t>(value);
  return static_cast<int16_t>(ReadInteger(text, INT16_MIN, INT16_MAX));
}
inline int32_t ReadInt32(std::string_view text) { return ReadInteger(text, INT32_MIN, INT32_MAX); }

// The same reading without an exception: nothing when the text is not a
// number or does not fit.
std::optional<int32_t> TryReadInteger(std::string_view text, int32_t min, int32_t max);
inline std::optional<int32_t> TryReadInt32(std::string_view text) { return TryReadInteger(text, INT32_MIN, INT32_MAX); }

}  // namespace dorvax::platform
