#pragma once
// Character positions in CP932 (Shift-JIS) text kept as its raw bytes.
// A line is never decoded: positions count characters by lead bytes
// (0x81-0x9F and 0xE0-0xFC start a two-byte character; a lead byte at the
// very end of the text is one broken character), so whatever is copied keeps
// its input bytes exactly.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace dorvax::platform::cp932 {

constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// True when none of the first `size` bytes is above 0x7F, so that they are
// as many characters. Eight bytes at a time, the last word overlapping the
// one before it: this runs for data lines.
inline bool IsAscii(const char* bytes, std::size_t size) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  if (size < 8) {
    for (std::size_t i = 0; i < size; ++i)
      if (static_cast<unsigned char>(bytes[i]) & 0x80) return false;
    return true;
  }
  uint64_t seen = 0;
  uint64_t word;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::memcpy(&word, bytes + i, 8);
    seen |= word;
  }
  if (i < size) {
    std::memcpy(&word, bytes + size - 8, 8);
    seen |= word;
  }
  return (seen & kHighBits) == 0;
}
inline bool IsAscii(std::string_view text) { return IsAscii(text.data(), text.size()); }

// Number of characters in the text.
std::size_t CharCount(std::string_view text);

// The columns of one line - 1-based character positions - resolved once up
// to a last column, so that any field up to it is cut out without decoding,
// allocating or walking the line again. A field keeps its bytes (a
// double-byte character is one column of two bytes). When the bytes up to
// the last column are all ASCII, the usual case, a column is simply a byte.
class ColumnIndex {
 public:
  static constexpr std::size_t kMaxColumn = 128;

  // Resolves columns 1 to `lastColumn` (at most kMaxColumn).
  ColumnIndex(std::string_view line, std::size_t lastColumn) : line_(line), last_(lastColumn) {
    ascii_ = IsAscii(line.data(), line.size() < lastColumn ? line.size() : lastColumn);
    if (!ascii_) Resolve();
  }

  // The bytes of `count` columns from `first` (fewer at the end of the line,
  // empty beyond it); `first + count - 1` must not exceed the last column.
  std::string_view Field(std::size_t first, std::size_t count) const {
    std::size_t begin = Start(first);
    return line_.substr(begin, Start(first + count) - begin);
  }
  std::string_view At(std::size_t column) const { return Field(column, 1); }
  // The bytes from `column` (at most the last column + 1) to the end of the line.
  std::string_view Rest(std::size_t column) const { return line_.substr(Start(column)); }

  // Characters of the line within the resolved columns.
  std::size_t Count() const {
    std::size_t c = last_;
    while (c >= 1 && Start(c) >= line_.size()) --c;
    return c;
  }

 private:
  // Byte offset where `column` starts (the line's size beyond its end);
  // valid for columns 1 to last + 1.
  std::size_t Start(std::size_t column) const {
    if (ascii_) return column - 1 < line_.size() ? column - 1 : line_.size();
    return start_[column];
  }
  void Resolve() {
    std::size_t i = 0;
    for (std::size_t c = 1; c <= last_ + 1; ++c) {
      start_[c] = static_cast<uint32_t>(i);
      if (i < line_.size()) i += (IsLeadByte(static_cast<unsigned char>(line_[i])) && i + 1 < line_.size()) ? 2 : 1;
    }
  }

  std::string_view line_;
  std::size_t last_;
  bool ascii_;
  // Filled only for lines with a byte above 0x7F within the resolved columns.
  std::array<uint32_t, kMaxColumn + 2> start_;
};

}  // namespace dorvax::platform::cp932

namespace dorvax::platform::utf8 {
// Character counting for UTF-8 text (file names and message texts).
std::size_t CharCount(std::string_view text);
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count);
std::string_view Right(std::string_view text, std::size_t count);
}  // namespace dorvax::platform::utf8
