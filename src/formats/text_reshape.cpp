#include "formats/text_reshape.h"

#include <cstring>
#include <utility>

#include "formats/data_line_layout.h"
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

// A data line keeps columns 1-6 (day, hour and their commas), then the
// kept columns of each value and the comma after them; value E is the last.
using data_line::ByteOf;
using data_line::kValues;
constexpr std::size_t kValueCount = std::size(kValues);
constexpr data_line::Columns kPlace{data_line::kDay.first, data_line::kHour.last + 1};
constexpr std::string_view kSlashes = "/////";  // a missing value: one per kept column

// Where each value starts in the reshaped line, and where the line ends.
struct ReshapedOffsets {
  std::size_t value[kValueCount];
  std::size_t end;
};
constexpr ReshapedOffsets OffsetsInReshapedLine() {
  ReshapedOffsets offsets{};
  std::size_t at = kPlace.count();
  for (std::size_t v = 0; v < kValueCount; ++v) {
    offsets.value[v] = at;
    at += kValues[v].kept.count() + (v + 1 < kValueCount ? 1 : 0);
  }
  offsets.end = at;
  return offsets;
}
constexpr ReshapedOffsets kReshaped = OffsetsInReshapedLine();
static_assert(kReshaped.end == 29);
static_assert(kReshaped.end * 2 + 2 <= kMaxReshapedLineBytes);

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

constexpr uint64_t FlagBits() {
  uint64_t bits = 0;
  for (const data_line::Value& value : kValues) bits |= detail::Bit(static_cast<unsigned>(ByteOf(value.flag)));
  return bits;
}

// The copy of value `V` into the usual reshaped line: the value, its comma
// and a surplus that the next copy overwrites, eight bytes where the line
// has them before its last flag.
template <std::size_t V>
inline void CopyValue(const char* in, char* out) {
  constexpr std::size_t from = ByteOf(kValues[V].kept.first);
  constexpr std::size_t available = ByteOf(data_line::kLastColumn) - from;
  std::memcpy(out + kReshaped.value[V], in + from, available < 8 ? available : 8);
}

// The usual data line: its first 43 characters are single bytes and every
// flag is a digit, so every column is the byte at the same position and the
// 29 bytes of the new line, with CR LF, are cut out directly, value by value
// in output order. Gives nullptr for any other line, which the general
// reading then reshapes or refuses.
char* WriteSingleByteLineWithEnd(std::string_view line, char* out) {
  uint64_t digits = 0;
  if (line.size() < data_line::kLastColumn || !ClassifyDigits(line.data(), digits)) return nullptr;
  constexpr uint64_t kFlags = FlagBits();
  if ((digits & kFlags) != kFlags) return nullptr;
  const char* in = line.data();
  std::memcpy(out, in + ByteOf(kPlace.first), 8);  // day, hour and their commas, and a surplus
  [&]<std::size_t... V>(std::index_sequence<V...>) { (CopyValue<V>(in, out), ...); }
  (std::make_index_sequence<kValueCount>{});
  for (std::size_t v = 0; v < kValueCount; ++v) {
    if (in[ByteOf(kValues[v].flag)] == '9')
      std::memcpy(out + kReshaped.value[v], kSlashes.data(), kValues[v].kept.count());
  }
  out[kReshaped.end] = '\r';
  out[kReshaped.end + 1] = '\n';
  return out + kReshaped.end + 2;
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
  ColumnIndex cols(line, data_line::kLastColumn);
  // Every flag is checked, in column order, before anything is written.
  bool missing[kValueCount];
  for (std::size_t v = 0; v < kValueCount; ++v) missing[v] = FlagDigit(cols, kValues[v].flag) == 9;

  auto append = [&](std::string_view piece) { out += piece.copy(out, piece.size()); };
  append(cols.Field(kPlace.first, kPlace.count()));
  for (std::size_t v = 0; v < kValueCount; ++v) {
    const data_line::Columns kept = kValues[v].kept;
    append(missing[v] ? kSlashes.substr(0, kept.count()) : cols.Field(kept.first, kept.count()));
    if (v + 1 < kValueCount) append(cols.At(kept.last + 1));
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
