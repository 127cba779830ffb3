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

// Four ASCII bytes that are blanks, an optional minus right before the
// digits and at least one digit up to the last byte ("  65", " -12", "0101"),
// read without a branch per byte: the right-aligned value fields of a data
// line. `bytes` holds them with the first byte in its lowest eight bits (so
// callers can assemble a field in a register). Any other four bytes give
// false, and the caller takes the general reading; the value is what
// ReadInteger gives for the same text.
inline bool ReadRightAligned4(uint32_t x, int32_t& out) {
  if (x & 0x80808080u) return false;
  // Bit 7 of every byte that is a digit; no byte carries into the next.
  const uint32_t digits = ((x | 0x80808080u) - 0x30303030u) & ~(x + 0x46464646u) & 0x80808080u;
  if (digits == 0) return false;
  const uint32_t first = digits & (0u - digits);  // the first digit (lowest byte)
  if (digits != (0x80808080u & ~(first - 1))) return false;  // digits from there to the end
  auto bytesEqual = [x](uint32_t c) {
    const uint32_t y = x ^ (c * 0x01010101u);
    return ~(((y & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | y) & 0x80808080u;
  };
  const uint32_t minus = bytesEqual('-') & (first >> 8);  // only right before the first digit
  const uint32_t before = (first - 1) & 0x80808080u;
  if (((bytesEqual(' ') | minus) & before) != before) return false;
  // The digits' values with the leading bytes as 0, then the first byte the
  // most significant: (10 * d0 + d1) * 100 + 10 * d2 + d3.
  const uint32_t d = x & 0x0F0F0F0Fu & ((digits >> 7) * 0xFFu);
  const uint32_t pairs = (d * 10 + (d >> 8)) & 0x00FF00FFu;
  const int32_t value = static_cast<int32_t>((pairs & 0xFFu) * 100 + (pairs >> 16));
  out = minus ? -value : value;
  return true;
}

// Four bytes of text in the order ReadRightAligned4 takes them.
inline uint32_t FourBytes(const char* p) {
  return static_cast<uint32_t>(static_cast<unsigned char>(p[0])) |
         static_cast<uint32_t>(static_cast<unsigned char>(p[1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(p[2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(p[3])) << 24;
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
inline std::optional<int32_t> TryReadInt32(std::string_view text) {
  return TryReadInteger(text, INT32_MIN, INT32_MAX);
}

}  // namespace dorvax::platform
