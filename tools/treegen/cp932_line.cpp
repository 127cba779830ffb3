#include "cp932_line.h"

#include "treegen.h"

#include <stdexcept>

namespace treegen {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

std::size_t Cp932PrefixBytes(std::string_view bytes, std::size_t chars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < chars && pos < bytes.size(); ++n) {
    pos += IsLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size() ? 2 : 1;
  }
  return pos;
}

std::size_t Cp932Length(const std::string& bytes) {
  std::size_t chars = 0;
  for (std::size_t pos = 0; pos < bytes.size(); ++chars) {
    pos += IsLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size() ? 2 : 1;
  }
  return chars;
}

Cp932Line& Cp932Line::Text(std::string_view bytes) {
  bytes_.append(bytes);
  chars_ += Cp932Length(std::string(bytes));
  return *this;
}

Cp932Line& Cp932Line::Field(std::string_view bytes, std::size_t width) {
  const std::size_t start = chars_;
  Text(bytes.substr(0, Cp932PrefixBytes(bytes, width)));
  return PadTo(start + width);
}

Cp932Line& Cp932Line::Number(long value, std::size_t width, bool zeroFill) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  const std::size_t signWidth = value < 0 ? 1 : 0;
  if (digits.size() + signWidth > width) throw std::invalid_argument("number too wide: " + std::to_string(value));
  if (zeroFill) digits.insert(0, width - signWidth - digits.size(), '0');
  if (value < 0) digits.insert(0, 1, '-');
  digits.insert(0, width - digits.size(), ' ');
  return Text(digits);
}

Cp932Line& Cp932Line::PadTo(std::size_t chars) {
  if (chars_ < chars) {
    bytes_.append(chars - chars_, ' ');
    chars_ = chars;
  }
  return *this;
}

}  // namespace treegen
