#pragma once
// Character columns of one CP932 line, resolved once so that a line's fields
// can be cut out without decoding or allocating. A column is a 1-based
// character position; a double-byte character is one column and keeps its
// two bytes. When the bytes up to the last column needed are all ASCII (the
// usual case) a column is simply a byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/cp932.h"

namespace dorvax {

// True when the line has at least `count` bytes (`count` of 8 or more) and
// the first `count` are all ASCII: then they are the first `count` columns,
// one byte each. Eight bytes at a time, the last word overlapping the one
// before it: this runs for every data line.
inline bool HasSingleBytePrefix(std::string_view line, std::size_t count) {
  if (line.size() < count || count < 8) return false;
  uint64_t seen = 0;
  uint64_t word;
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    std::memcpy(&word, line.data() + i, 8);
    seen |= word;
  }
  if (i < count) {
    std::memcpy(&word, line.data() + count - 8, 8);
    seen |= word;
  }
  return (seen & 0x8080808080808080ull) == 0;
}

class LineColumns {
 public:
  // Resolves columns 1 to `lastColumn` (at most kMaxColumn).
  static constexpr std::size_t kMaxColumn = 128;

  LineColumns(std::string_view line, std::size_t lastColumn) : line_(line), last_(lastColumn) {
    std::size_t prefix = line.size() < lastColumn ? line.size() : lastColumn;
    ascii_ = IsAsciiPrefix(line.data(), prefix);
    if (!ascii_) ResolveDoubleByte();
  }

  // The bytes of `count` columns from `first` (fewer at the end of the line,
  // empty beyond it). `first + count - 1` must not exceed the last column.
  std::string_view Field(std::size_t first, std::size_t count) const {
    std::size_t begin = Start(first);
    return line_.substr(begin, Start(first + count) - begin);
  }
  std::string_view At(std::size_t column) const { return Field(column, 1); }

  // Characters of the line within the resolved columns.
  std::size_t Count() const {
    std::size_t c = last_;
    while (c >= 1 && Start(c) >= line_.size()) --c;
    return c;
  }

  // Byte offset where `column` starts (the line's size beyond its end);
  // valid for columns 1 to last + 1.
  std::size_t Start(std::size_t column) const {
    if (ascii_) return column - 1 < line_.size() ? column - 1 : line_.size();
    return start_[column];
  }

 private:
  // Eight bytes at a time: this runs for every data line.
  static bool IsAsciiPrefix(const char* bytes, std::size_t size) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
      uint64_t word;
      std::memcpy(&word, bytes + i, 8);
      if (word & 0x8080808080808080ull) return false;
    }
    for (; i < size; ++i)
      if (static_cast<unsigned char>(bytes[i]) & 0x80) return false;
    return true;
  }

  void ResolveDoubleByte() {
    std::size_t i = 0;
    for (std::size_t c = 1; c <= last_ + 1; ++c) {
      start_[c] = static_cast<uint32_t>(i);
      if (i < line_.size()) {
        bool pair = platform::cp932::IsLeadByte(static_cast<unsigned char>(line_[i])) && i + 1 < line_.size();
        i += pair ? 2 : 1;
      }
    }
  }

  std::string_view line_;
  std::size_t last_;
  bool ascii_ = true;
  // Filled only for lines with double-byte characters in the resolved columns.
  std::array<uint32_t, kMaxColumn + 2> start_;
};

}  // namespace dorvax
