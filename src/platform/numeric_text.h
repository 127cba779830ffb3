#pragma once
// The one rule by which text becomes an integer: blanks before and after are
// ignored, a leading sign is allowed, "," group separators are ignored, a
// fractional part is rounded to the nearest integer with halves going to the
// even neighbour. Text that is not a number raises error 13, a number outside
// the target range error 6.
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// Reads a number into the range [min, max]; throws RunError 13 or 6.
int32_t ReadInteger(std::string_view text, int32_t min, int32_t max);

inline int16_t ReadInt16(std::string_view text) {
  return static_cast<int16_t>(ReadInteger(text, INT16_MIN, INT16_MAX));
}
inline int32_t ReadInt32(std::string_view text) { return ReadInteger(text, INT32_MIN, INT32_MAX); }

// The same reading without an exception: nothing when the text is not a
// number or does not fit.
std::optional<int32_t> TryReadInteger(std::string_view text, int32_t min, int32_t max);
inline std::optional<int32_t> TryReadInt32(std::string_view text) {
  return TryReadInteger(text, INT32_MIN, INT32_MAX);
}

}  // namespace platform
