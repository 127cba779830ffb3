#include "platform/name_order.h"

#include <cstdint>

namespace dorvax::platform {

namespace {

// A unit standing for a byte that begins no well-formed sequence.
constexpr char32_t kStrayByteBase = 0xDC00;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes of the sequence a lead byte begins; 0 for a byte that begins
// none (a continuation byte, or a lead of an overlong or too large form).
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF5) return 4;
  return 0;
}

// The code point of the sequence at `at`, advancing `at` past it; a stray
// byte becomes a unit of its own.
char32_t DecodeAt(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = SequenceLength(lead);
  if (length == 1) {
    ++at;
    return lead;
  }
  if (length == 0 || at + length > text.size()) {
    ++at;
    return kStrayByteBase + lead;
  }
  char32_t point = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[at + k]);
    if (!IsContinuation(byte)) {
      ++at;
      return kStrayByteBase + lead;
    }
    point = (point << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and points past the last plane are not
  // well-formed.
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF) {
    ++at;
    return kStrayByteBase + lead;
  }
  at += length;
  return point;
}

// A name as folded UTF-16 units, one at a time.
class FoldedUnits {
 public:
  explicit FoldedUnits(std::string_view name) : name_(name) {}

  bool Next(char16_t& unit) {
    if (low_ != 0) {
      unit = low_;
      low_ = 0;
      return true;
    }
    if (at_ >= name_.size()) return false;
    const char32_t point = DecodeAt(name_, at_);
    if (point < 0x10000) {
      unit = FoldedUnit(static_cast<char16_t>(point));
      return true;
    }
    // Beyond the first plane: a surrogate pair, which has no case.
    const char32_t offset = point - 0x10000;
    unit = static_cast<char16_t>(0xD800 + (offset >> 10));
    low_ = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    return true;
  }

 private:
  std::string_view name_;
  std::size_t at_ = 0;
  char16_t low_ = 0;
};

bool InRange(char16_t unit, char16_t first, char16_t last) { return unit >= first && unit <= last; }

}  // namespace

char16_t FoldedUnit(char16_t unit) {
  if (unit < 0x80) return InRange(unit, u'a', u'z') ? static_cast<char16_t>(unit - 0x20) : unit;
  // Latin-1: à to þ but the division sign; ÿ becomes Ÿ.
  if (InRange(unit, 0xE0, 0xFE) && unit != 0xF7) return static_cast<char16_t>(unit - 0x20);
  if (unit == 0xFF) return 0x178;
  // Greek: α to ω (final sigma as sigma) and the letters with tonos.
  if (unit == 0x3C2) return 0x3A3;
  if (InRange(unit, 0x3B1, 0x3CB)) return static_cast<char16_t>(unit - 0x20);
  if (unit == 0x3AC) return 0x386;
  if (InRange(unit, 0x3AD, 0x3AF)) return static_cast<char16_t>(unit - 0x25);
  if (unit == 0x3CC) return 0x38C;
  if (InRange(unit, 0x3CD, 0x3CE)) return static_cast<char16_t>(unit - 0x3F);
  // Cyrillic: а to я, then ѐ to џ (ё among them).
  if (InRange(unit, 0x430, 0x44F)) return static_cast<char16_t>(unit - 0x20);
  if (InRange(unit, 0x450, 0x45F)) return static_cast<char16_t>(unit - 0x50);
  // Small roman numerals ⅰ to ⅿ.
  if (InRange(unit, 0x2170, 0x217F)) return static_cast<char16_t>(unit - 0x10);
  // Full-width ａ to ｚ.
  if (InRange(unit, 0xFF41, 0xFF5A)) return static_cast<char16_t>(unit - 0x20);
  return unit;
}

bool NameLess(std::string_view a, std::string_view b) {
  // The usual names are ASCII: compared byte by byte until a byte of
  // another character comes up.
  std::size_t i = 0;
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (; i < common; ++i) {
    const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if ((ca | cb) >= 0x80) break;
    const char16_t fa = FoldedUnit(ca), fb = FoldedUnit(cb);
    if (fa != fb) return fa < fb;
  }
  if (i == common) {
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
  }
  // From the first character of more than one byte on, unit by unit. The
  // ASCII bytes before it are single units in both names, so both start
  // here at the beginning of a character.
  FoldedUnits ua(a.substr(i)), ub(b.substr(i));
  for (;;) {
    char16_t fa = 0, fb = 0;
    const bool hasA = ua.Next(fa), hasB = ub.Next(fb);
    if (!hasA || !hasB) {
      if (hasA != hasB) return hasB;
      return a < b;
    }
    if (fa != fb) return fa < fb;
  }
}

}  // namespace dorvax::platform
