#include "formats/text_reshape.h"

#include <cstring>

#include "formats/line_classes.h"
#include "platform/compiler.h"
#include "platform/cp932.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

using platform::cp932::ColumnIndex;

// Header line 3: flag titles are looked for up to this column, and the line
// is kept up to kFlagTitlesKeptTo; the result is at least kFlagTitlesWidth long.
constexpr std::size_t kFlagTitleLastStart = 124;
constexpr std::size_t kFlagTitlesKeptTo = 128;
constexpr std::size_t kFlagTitlesWidth = 98;
constexpr std::string_view kFlagTitle = ",Flag";

// Header line 4: empty flag entries are looked for up to this column, and the
// line is kept up to kEmptyTitlesKeptTo; the result is at least kEmptyTitlesWidth long.
constexpr std::size_t kEmptyTitleLastStart = 43;
constexpr std::size_t kEmptyTitlesKeptTo = 44;
constexpr std::size_t kEmptyTitlesWidth = 39;
constexpr std::string_view kEmptyTitle = ",,";

constexpr std::size_t kLastDataColumn = 43;
// The bytes of the usual reshaped line with CR LF (29 single-byte characters).
constexpr std::size_t kUsualReshapedLineBytes = 31;

// A text built from column ranges of one line, counting its characters (a
// double-byte character counts once).
class Assembler {
 public:
  Assembler(const ColumnIndex& cols, std::string& out) : cols_(cols), lineChars_(cols.Count()), out_(out) {}
  // Columns `first` to `last`, as far as the line reaches (nothing when first > last).
  void Columns(std::size_t first, std::size_t last) {
    if (first > last) return;
    out_.append(cols_.Field(first, last - first + 1));
    std::size_t end = last < lineChars_ ? last : lineChars_;
    if (first <= end) chars_ += end - first + 1;
  }
  void PadTo(std::size_t width) {
    if (chars_ >= width) return;
    out_.append(width - chars_, ' ');
    chars_ = width;
  }

 private:
  const ColumnIndex& cols_;
  std::size_t lineChars_;
  std::string& out_;
  std::size_t chars_ = 0;
};

// True when the characters from column `at` are exactly `ascii`.
bool ColumnsHold(const ColumnIndex& cols, std::size_t at, std::string_view ascii) {
  return cols.Field(at, ascii.size()) == ascii;
}

// Removes every occurrence of `title` starting at a column up to `lastStart`,
// keeping `keptOfTitle` of its characters, cuts the line after column
// `keptTo` and fills it with blanks to `width` characters.
void RemoveTitles(std::string& line, std::string_view title, std::size_t keptOfTitle, std::size_t lastStart,
                  std::size_t keptTo, std::size_t width) {
  ColumnIndex cols(line, keptTo);
  std::string result;
  result.reserve(line.size() + width);
  Assembler out(cols, result);
  std::size_t start = 1;
  for (std::size_t p = 1; p <= lastStart;) {
    if (ColumnsHold(cols, p, title)) {
      out.Columns(start, p + keptOfTitle - 1);
      start = p + title.size();
      p = start;
    } else {
      ++p;
    }
  }
  out.Columns(start, keptTo);
  out.PadTo(width);
  line.swap(result);
}

// A flag column of a data line: its digit, or error 13 for anything else.
int FlagDigit(const ColumnIndex& cols, std::size_t column) {
  std::string_view flag = cols.At(column);
  if (flag.size() != 1 || flag[0] < '0' || flag[0] > '9') throw platform::MakeError(platform::kErrTypeMismatch);
  return flag[0] - '0';
}

// A value of the reshaped line: its columns, or slashes when its flag is 9.
struct ReshapedValue {
  std::size_t flagColumn;
  std::size_t first, last;       // the value's columns kept in the output
  std::string_view missingMark;  // as many slashes as kept columns
};

constexpr ReshapedValue kValues[] = {
    {13, 9, 11, "///"},     // value A: its last three characters
    {18, 15, 16, "//"},     // B1
    {23, 20, 21, "//"},     // B2
    {31, 25, 29, "/////"},  // value C with its decimal point
    {37, 33, 35, "///"},    // value D with its decimal point
    {43, 39, 41, "///"},    // value E
};

// The usual data line: its first 43 characters are single bytes and every
// flag is a digit, so every column is the byte at the same position and the
// 29 bytes of the new line, with CR LF, are cut out directly in the order of
// kValues. Gives nullptr for any other line, which the general road then
// reshapes or refuses.
char* WriteSingleByteLineWithEnd(std::string_view line, char* o) {
  uint64_t digits = 0;
  if (line.size() < kLastDataColumn || !ClassifyDigits(line.data(), digits)) return nullptr;
  uint64_t flags = 0;
  for (const ReshapedValue& value : kValues) flags |= detail::Bit(static_cast<unsigned>(value.flagColumn - 1));
  if ((digits & flags) != flags) return nullptr;
  const char* in = line.data();
  // Eight-byte copies in output order, each overwriting the surplus of the
  // one before; none reads past byte 42 or writes past byte 30 of `o`.
  std::memcpy(o, in, 8);         // columns 1-6: day, hour and their commas
  std::memcpy(o + 6, in + 8, 8);   // value A, columns 9-11, and its comma
  std::memcpy(o + 10, in + 14, 8);  // B1, columns 15-16, and its comma
  std::memcpy(o + 13, in + 19, 8);  // B2, columns 20-21, and its comma
  std::memcpy(o + 16, in + 24, 8);  // value C, columns 25-29, and its comma
  std::memcpy(o + 22, in + 32, 8);  // value D, columns 33-35, and its comma
  std::memcpy(o + 26, in + 38, 4);  // value E, columns 39-41
  static constexpr std::size_t kOutputAt[std::size(kValues)] = {6, 10, 13, 16, 22, 26};
  for (std::size_t v = 0; v < std::size(kValues); ++v) {
    if (in[kValues[v].flagColumn - 1] == '9')
      std::memcpy(o + kOutputAt[v], kValues[v].missingMark.data(), kValues[v].missingMark.size());
  }
  o[29] = '\r';
  o[30] = '\n';
  return o + kUsualReshapedLineBytes;
}

}  // namespace

void StripFlagHeaders(std::string& line) {
  RemoveTitles(line, kFlagTitle, 0, kFlagTitleLastStart, kFlagTitlesKeptTo, kFlagTitlesWidth);
}

void CollapseEmptyHeaders(std::string& line) {
  // The first comma of each pair stays.
  RemoveTitles(line, kEmptyTitle, 1, kEmptyTitleLastStart, kEmptyTitlesKeptTo, kEmptyTitlesWidth);
}

namespace {

// Any other line, column by column.
DORVAX_NOINLINE char* WriteColumnByColumn(std::string_view line, char* out) {
  ColumnIndex cols(line, kLastDataColumn);
  // Every flag is checked, in column order, before anything is written.
  bool missing[std::size(kValues)];
  for (std::size_t v = 0; v < std::size(kValues); ++v) missing[v] = FlagDigit(cols, kValues[v].flagColumn) == 9;

  // 29 characters of at most two bytes each, and CR LF.
  static_assert(29 * 2 + 2 <= kMaxReshapedLineBytes);
  auto append = [&](std::string_view piece) { out += piece.copy(out, piece.size()); };
  append(cols.Field(1, 6));  // day, hour and their commas
  for (std::size_t v = 0; v < std::size(kValues); ++v) {
    const ReshapedValue& value = kValues[v];
    append(missing[v] ? value.missingMark : cols.Field(value.first, value.last - value.first + 1));
    // The comma after the value; value E is the last field.
    if (v + 1 < std::size(kValues)) append(cols.At(value.last + 1));
  }
  append("\r\n");
  return out;
}

}  // namespace

char* WriteReshapedDataLineWithEnd(std::string_view line, char* out) {
  if (char* end = WriteSingleByteLineWithEnd(line, out)) return end;
  return WriteColumnByColumn(line, out);
}

}  // namespace dorvax
