// Builds a CP932 text line whose fields must sit at fixed character positions.
// Positions count characters, and a double-byte character is one character of
// two bytes, so the builder keeps its own character count beside the bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace treegen {

// Length in bytes of the first `chars` characters of `bytes` (or of all of it).
std::size_t Cp932PrefixBytes(std::string_view bytes, std::size_t chars);

class Cp932Line {
 public:
  // Appends text as it is.
  Cp932Line& Text(std::string_view bytes);
  // Appends exactly `width` characters: the text cut to width, then blanks.
  Cp932Line& Field(std::string_view bytes, std::size_t width);
  // Appends a number right-aligned in `width` characters, zero-filled when asked.
  Cp932Line& Number(long value, std::size_t width, bool zeroFill);
  // Appends blanks until the line holds `chars` characters (nothing if it already does).
  Cp932Line& PadTo(std::size_t chars);

  std::size_t Chars() const { return chars_; }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::size_t chars_ = 0;
};

}  // namespace treegen
