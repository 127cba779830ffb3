// Expected old edition of a new-edition tree, computed straight from the source
// text: station index lines cut by character position, day records built by
// stepping hour by hour, text-era lines reshaped column by column.
#include "support/treegen_oracle.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <sstream>

namespace treegen_oracle {

namespace {

constexpr std::int16_t kMissing = 32767;
constexpr std::size_t kDvxRecordBytes = 256;
constexpr std::size_t kDvsRecordBytes = 80;
constexpr std::int16_t kDvxTrailer[17] = {32767, 9, 32767, 0, 32767, 9,  32767, 0, 32767,
                                          32767, 9, 32767, 0, 32767, -1, 32767, 9};

// ---- Characters -------------------------------------------------------------

// A CP932 line addressed by character: a double-byte character (lead byte
// 0x81-0x9F or 0xE0-0xFC) is one character of two bytes.
class Chars {
 public:
  explicit Chars(std::string bytes) : bytes_(std::move(bytes)) { Index(); }

  std::size_t size() const { return singleByte_ ? bytes_.size() : starts_.size() - 1; }

  // Characters start..start+length-1 (1-based); what lies beyond the end is empty.
  std::string Mid(std::size_t start, std::size_t length) const {
    if (start < 1 || start > size() || length == 0) return std::string();
    const std::size_t last = std::min(size(), start + length - 1);
    return bytes_.substr(Offset(start - 1), Offset(last) - Offset(start - 1));
  }

  // Replaces characters start..start+width-1 (all inside the line) by `width` copies of c.
  void Overwrite(std::size_t start, std::size_t width, char c) {
    const std::size_t from = Offset(start - 1);
    bytes_.replace(from, Offset(start - 1 + width) - from, std::string(width, c));
    Index();
  }

 private:
  static bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

  // Byte offset of the character after the first `chars` characters.
  std::size_t Offset(std::size_t chars) const { return singleByte_ ? chars : starts_[chars]; }

  // Data lines are plain ASCII: they need no character table.
  void Index() {
    starts_.clear();
    singleByte_ =
        std::none_of(bytes_.begin(), bytes_.end(), [](char c) { return IsLead(static_cast<unsigned char>(c)); });
    if (singleByte_) return;
    for (std::size_t i = 0; i < bytes_.size();) {
      starts_.push_back(static_cast<std::uint32_t>(i));
      i += IsLead(static_cast<unsigned char>(bytes_[i])) && i + 1 < bytes_.size() ? 2 : 1;
    }
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
  }

  std::string bytes_;
  bool singleByte_ = true;
  std::vector<std::uint32_t> starts_;  // byte offset of every character, then the end
};

Chars ToChars(const std::string& bytes) { return Chars(bytes); }

std::string Mid(const Chars& chars, std::size_t start, std::size_t length) { return chars.Mid(start, length); }

std::string PadRight(std::string bytes, std::size_t chars) {
  const std::size_t have = ToChars(bytes).size();
  if (have < chars) bytes.append(chars - have, ' ');
  return bytes;
}

std::string UpperFolded(std::string name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

// ---- Numbers read from text ---------------------------------------------------

// Decimal text to an integer: blanks around it, a sign, "," group separators and
// a fraction rounded half to even are accepted; anything else is error 13, a value
// outside [low, high] error 6.
long long ReadInteger(const std::string& text, long long low, long long high) {
  const std::size_t begin = text.find_first_not_of(' ');
  const std::size_t end = text.find_last_not_of(' ');
  if (begin == std::string::npos) throw ConversionStop(13, "empty text where a number belongs");
  const std::string t = text.substr(begin, end - begin + 1);
  std::size_t p = 0;
  bool negative = false;
  if (t[p] == '+' || t[p] == '-') negative = t[p++] == '-';
  constexpr unsigned long long kCap = 1ULL << 62;  // far beyond every target range
  unsigned long long whole = 0;
  bool digits = false;
  for (; p < t.size() && (std::isdigit(static_cast<unsigned char>(t[p])) || t[p] == ','); ++p) {
    if (t[p] == ',') continue;
    whole = std::min(kCap, whole * 10 + static_cast<unsigned long long>(t[p] - '0'));
    digits = true;
  }
  std::string fraction;
  if (p < t.size() && t[p] == '.') {
    for (++p; p < t.size() && std::isdigit(static_cast<unsigned char>(t[p])); ++p) fraction += t[p];
    digits = digits || !fraction.empty();
  }
  if (!digits || p != t.size()) throw ConversionStop(13, "not a number: \"" + text + "\"");
  // Half to even: .5 exactly rounds towards the even neighbour.
  if (!fraction.empty()) {
    const bool aboveHalf =
        fraction[0] > '5' || (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string::npos);
    const bool exactHalf = fraction[0] == '5' && !aboveHalf;
    if (aboveHalf || (exactHalf && whole % 2 == 1)) whole = std::min(kCap, whole + 1);
  }
  const long long value = negative ? -static_cast<long long>(whole) : static_cast<long long>(whole);
  if (value < low || value > high) throw ConversionStop(6, "overflow: \"" + text + "\"");
  return value;
}

std::int16_t ReadInt16(const std::string& text) { return static_cast<std::int16_t>(ReadInteger(text, -32768, 32767)); }

std::int32_t ReadInt32(const std::string& text) {
  return static_cast<std::int32_t>(
      ReadInteger(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool FlagIsMissing(const Chars& line, std::size_t column) { return ReadInt16(Mid(line, column, 1)) == 9; }

// ---- Little-endian record bytes ---------------------------------------------

void Put16(std::string& out, std::int16_t v) {
  const auto u = static_cast<std::uint16_t>(v);
  out.push_back(static_cast<char>(u & 0xFF));
  out.push_back(static_cast<char>(u >> 8));
}

void Put32(std::string& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

// ---- Folder and file names --------------------------------------------------

std::optional<int> YearOfMonthFolder(const std::string& name) {
  try {
    const long long n =
        ReadInteger(name, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    const long long month = n % 100;
    const long long year = (n - month) / 100;
    if (year >= 1974 && year <= 2099 && month >= 0 && month <= 12) return static_cast<int>(year);
  } catch (const ConversionStop&) {
  }
  return std::nullopt;
}

bool IsAreaFolder(const std::string& name) {
  if (name.size() != 6 || UpperFolded(name.substr(0, 4)) != "AREA") return false;
  try {
    const long long n = ReadInteger(name.substr(4, 2), -32768, 32767);
    return n >= 11 && n <= 94;
  } catch (const ConversionStop&) {
    return false;
  }
}

// The naming rules of hourly files: "a"/"A" first in both eras; in the text era
// also "h" + area digits, a station number 1..1000 and "_" + month + ".csv".
bool IsAcceptedName(const std::string& name, const std::string& area, const std::string& month, bool textEra) {
  if (name.empty() || (name[0] != 'a' && name[0] != 'A')) return false;
  if (!textEra) return true;
  const Chars s = ToChars(name.substr(1));
  if (Mid(s, 1, 3) != "h" + area.substr(area.size() - 2)) return false;
  try {
    const long long number = ReadInteger(Mid(s, 4, 3), -32768, 32767);
    if (number < 1 || number > 1000) return false;
  } catch (const ConversionStop&) {
    return false;
  }
  return Mid(s, 7, 11) == "_" + month + ".csv";
}

// ---- Day records ------------------------------------------------------------

struct DayRecord {
  std::int16_t day = 0;
  std::vector<std::int16_t> values;  // slotsPerHour * 24, 0 until an hour is stepped
};

// Walks the hours of a month and puts each data line into the hour it names. The
// counter never trusts the lines: where a line does not fit the current hour the
// hour is missing and the same line is offered to the next hour. A line behind the
// counter therefore waits for the next day record, which takes the line's day.
class HourWalk {
 public:
  using StoreLine = std::function<void(const Chars& line, std::int16_t* slots)>;

  explicit HourWalk(std::size_t slotsPerHour) : slots_(slotsPerHour) { Open(0); }

  std::vector<DayRecord> Run(const std::vector<Chars>& lines, int daysInMonth, const StoreLine& store) {
    std::size_t next = 0;
    while (next < lines.size()) {
      const Chars& line = lines[next];
      const std::int16_t day = ReadInt16(Mid(line, 1, 2));
      Step(day);
      const std::int16_t hour = ReadInt16(Mid(line, 4, 2));
      if (hour < 1 || hour > 24) throw ConversionStop(13, "data line hour outside 1..24");
      if (records_.back().day == day && hour_ == hour) {
        store(line, Current());
        ++next;
      } else {
        MarkMissing();
      }
    }
    while (steps_ < static_cast<long long>(daysInMonth) * 24) {
      Step(std::nullopt);
      MarkMissing();
    }
    return std::move(records_);
  }

 private:
  void Open(std::int16_t day) { records_.push_back(DayRecord{day, std::vector<std::int16_t>(slots_ * 24, 0)}); }

  // The next hour; a fresh day record after hour 24. The first record and every
  // new one take the day of the line being placed (0 while completing the month).
  void Step(std::optional<std::int16_t> lineDay) {
    if (hour_ == 0) {
      if (lineDay) records_.back().day = *lineDay;
      hour_ = 1;
    } else if (hour_ == 24) {
      Open(lineDay.value_or(0));
      hour_ = 1;
    } else {
      ++hour_;
    }
    ++steps_;
  }

  std::int16_t* Current() { return records_.back().values.data() + (hour_ - 1) * slots_; }

  void MarkMissing() { std::fill_n(Current(), slots_, kMissing); }

  std::size_t slots_;
  std::vector<DayRecord> records_;
  int hour_ = 0;
  long long steps_ = 0;
};

// Slots of an hour: A, B (B2 * 256 + B1), D, C; each MISSING where its flag is 9.
void StoreValuesAtoD(const Chars& line, std::int16_t* slots) {
  slots[0] = FlagIsMissing(line, 13) ? kMissing : ReadInt16(Mid(line, 9, 4));
  // Both flags are read, as a blank one is an error even when the other is 9.
  const bool lowMissing = FlagIsMissing(line, 18);
  const bool highMissing = FlagIsMissing(line, 23);
  if (lowMissing || highMissing) {
    slots[1] = kMissing;
  } else {
    const long long high = static_cast<long long>(ReadInt16(Mid(line, 20, 2))) * 256;
    if (high < -32768 || high > 32767) throw ConversionStop(6, "value B2 overflows");
    const long long b = high + ReadInt16(Mid(line, 15, 2));
    if (b < -32768 || b > 32767) throw ConversionStop(6, "value B overflows");
    slots[1] = static_cast<std::int16_t>(b);
  }
  slots[2] = FlagIsMissing(line, 37) ? kMissing : ReadInt16(Mid(line, 33, 1) + Mid(line, 35, 1));
  slots[3] = FlagIsMissing(line, 31) ? kMissing : ReadInt16(Mid(line, 25, 3) + Mid(line, 29, 1));
}

void StoreValueE(const Chars& line, std::int16_t* slot) {
  slot[0] = FlagIsMissing(line, 43) ? kMissing : ReadInt16(Mid(line, 39, 3));
}

bool HoldsValue(const DayRecord& record) {
  return std::any_of(record.values.begin(), record.values.end(), [](std::int16_t v) { return v != kMissing; });
}

struct StationHeader {
  std::int32_t stationNo = 0;
  std::int16_t year = 0;
  std::int16_t month = 0;
};

StationHeader ReadHeader(const std::string& line2) {
  const Chars chars = ToChars(line2);
  return StationHeader{ReadInt32(Mid(chars, 1, 5)), ReadInt16(Mid(chars, 40, 2)), ReadInt16(Mid(chars, 43, 2))};
}

std::string DvxBytes(const StationHeader& head, std::int16_t kind, const DayRecord& record) {
  std::string out;
  Put16(out, 0);
  Put32(out, head.stationNo);
  Put16(out, kind);
  Put16(out, head.year);
  Put16(out, head.month);
  Put16(out, record.day);
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    const bool slotB = i % 4 == 1;
    Put16(out, slotB && record.values[i] == kMissing ? std::int16_t{-1} : record.values[i]);
  }
  for (std::int16_t v : kDvxTrailer) Put16(out, v);
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  return out;
}

std::string DvsBytes(const StationHeader& head, std::int16_t snow, const DayRecord& record) {
  std::string out;
  Put32(out, head.stationNo);
  Put16(out, snow);
  Put16(out, head.year);
  Put16(out, head.month);
  Put16(out, record.day);
  for (std::int16_t v : record.values) Put16(out, v);
  for (int i = 1; i <= 10; ++i) Put16(out, i % 2 == 1 ? std::int16_t{32767} : std::int16_t{9});
  return out;
}

// ---- Station information ----------------------------------------------------

struct TableEntry {
  std::int16_t year;
  std::int16_t month;
  std::int32_t stationNo;
  StationEntry entry;
};

struct MonthIndex {
  std::string idx;
  std::string sidx;
  bool hasSidx = false;
};

MonthIndex ConvertStationInfo(const std::string& bytes, const std::string& folder, std::vector<TableEntry>& table) {
  const std::vector<std::string> lines = SplitLines(bytes);
  if (lines.size() < 2) throw ConversionStop(111, "station information shorter than its header");
  const auto yy = static_cast<std::int16_t>(ReadInteger(folder.substr(folder.size() - 4, 2), 0, 99));
  const auto mm = static_cast<std::int16_t>(ReadInteger(folder.substr(folder.size() - 2, 2), 0, 99));
  MonthIndex index;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::string out = StationIndexLine(lines[i]) + "\r\n";
    std::int32_t number = 0;
    try {
      number = ReadInt32(Mid(ToChars(lines[i]), 1, 5));
    } catch (const ConversionStop& stop) {
      throw ConversionStop(111, std::string("station information: ") + stop.what());
    }
    const StationEntry entry = EntryOfInfoLine(lines[i]);
    table.push_back(TableEntry{yy, mm, number, entry});
    if (entry.snow == 5) {
      index.sidx += out;
      index.hasSidx = true;
    }
    if (entry.kind != -1) index.idx += out;
  }
  return index;
}

std::optional<StationEntry> Find(const std::vector<TableEntry>& table, const StationHeader& head) {
  for (const TableEntry& t : table) {
    if (t.year == head.year && t.month == head.month && t.stationNo == head.stationNo) return t.entry;
  }
  return std::nullopt;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---- The walk over the source -----------------------------------------------

std::vector<const SourceFile*> FilesInOrder(const SourceMonth& month, const std::string& area) {
  std::vector<const SourceFile*> files;
  for (const SourceFile& f : month.files) {
    if (f.areaFolder == area) files.push_back(&f);
  }
  std::sort(files.begin(), files.end(), [](const SourceFile* x, const SourceFile* y) {
    return std::make_pair(UpperFolded(x->fileName), x->fileName) <
           std::make_pair(UpperFolded(y->fileName), y->fileName);
  });
  return files;
}

std::vector<std::string> SortedFolded(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), [](const std::string& x, const std::string& y) {
    return std::make_pair(UpperFolded(x), x) < std::make_pair(UpperFolded(y), y);
  });
  return names;
}

void ConvertMonthFiles(const SourceMonth& month, bool textEra, const std::vector<TableEntry>& table,
                       ExpectedTree& out) {
  const std::string yyyy = month.folder.substr(0, 4);
  const std::string mm = month.folder.substr(month.folder.size() - 2);
  std::string dvx;
  std::string dvs;
  for (const std::string& area : SortedFolded(month.areaFolders)) {
    for (const SourceFile* file : FilesInOrder(month, area)) {
      if (!IsAcceptedName(file->fileName, area, month.folder, textEra)) continue;
      const std::vector<std::string> loaded =
          file->path.empty() ? std::vector<std::string>() : SplitLines(ReadWholeFile(file->path));
      const std::vector<std::string>& lines = file->path.empty() ? file->lines : loaded;
      if (textEra) {
        out.files[month.folder + "/" + area + "/" + file->fileName.substr(1)] = ConvertTextFile(lines);
        continue;
      }
      if (lines.size() < 2) throw ConversionStop(62, "file shorter than its header");
      const FileRecords records = ConvertBinaryFile(lines, Find(table, ReadHeader(lines[1])));
      dvx += records.dvx;
      dvs += records.dvs;
    }
  }
  if (!dvx.empty()) out.files[yyyy + "/DVX" + yyyy + "." + mm] = dvx;
  if (!dvs.empty()) out.files[yyyy + "/DVS" + yyyy + "." + mm] = dvs;
}

std::string Hex(unsigned char c) {
  static const char* digits = "0123456789ABCDEF";
  return std::string{digits[c >> 4], digits[c & 15]};
}

}  // namespace

// ---- Public building blocks -------------------------------------------------

int DaysInMonth(int year, int month) {
  if (year < 100) year += year < 76 ? 2000 : 1900;
  switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 2: return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
    default: return 0;
  }
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t cr = bytes.find('\r', start);
    if (cr == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, cr - start));
    start = cr + 1;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

std::string StationIndexLine(const std::string& infoLine) {
  const Chars c = ToChars(infoLine);
  std::string elevation = Mid(c, 82, 4);
  for (std::size_t i = 0; i < 3 && i < elevation.size() && elevation[i] == '0'; ++i) elevation[i] = ' ';
  return Mid(c, 1, 5) + Mid(c, 7, 7) + Mid(c, 18, 11) + Mid(c, 18, 7) + Mid(c, 65, 2) + Mid(c, 68, 2) + Mid(c, 71, 1) +
         Mid(c, 73, 3) + Mid(c, 77, 2) + Mid(c, 80, 1) + elevation;
}

StationEntry EntryOfInfoLine(const std::string& infoLine) {
  const Chars c = ToChars(infoLine);
  const auto flag = [&](std::size_t column) { return Mid(c, column, 1); };
  const bool a = flag(93) == "1";
  const bool bcdZero = flag(95) == "0" && flag(97) == "0" && flag(99) == "0";
  const bool e = flag(101) == "1";
  StationEntry entry;
  entry.kind = a && bcdZero ? 1 : 4;
  entry.snow = e ? 5 : -1;
  if (e && flag(93) == "0" && bcdZero) entry.kind = -1;
  return entry;
}

std::string StripFlagHeaders(const std::string& line) {
  const Chars c = ToChars(line);
  std::string result;
  std::size_t start = 1;
  for (std::size_t p = 1; p <= 124;) {
    if (Mid(c, p, 5) == ",Flag") {
      if (p > start) result += Mid(c, start, p - start);
      start = p + 5;
      p += 5;
    } else {
      ++p;
    }
  }
  if (start <= 128) result += Mid(c, start, 128 - start + 1);
  return PadRight(result, 98);
}

std::string CollapseEmptyHeaders(const std::string& line) {
  const Chars c = ToChars(line);
  std::string result;
  std::size_t start = 1;
  for (std::size_t p = 1; p <= 43;) {
    if (Mid(c, p, 2) == ",,") {
      result += Mid(c, start, p - start + 1);
      start = p + 2;
      p += 2;
    } else {
      ++p;
    }
  }
  if (start <= 44) result += Mid(c, start, 44 - start + 1);
  return PadRight(result, 39);
}

std::string ReshapeDataLine(const std::string& line) {
  Chars c = ToChars(line);
  struct Blank {
    std::size_t flag, from, width;
  };
  static constexpr Blank kBlanks[] = {{13, 7, 5}, {18, 15, 2}, {23, 20, 2}, {31, 25, 5}, {37, 33, 3}, {43, 39, 3}};
  for (const Blank& b : kBlanks) {
    const std::string flag = Mid(c, b.flag, 1);
    if (flag.size() != 1 || !std::isdigit(static_cast<unsigned char>(flag[0]))) {
      throw ConversionStop(13, "flag is not a digit in \"" + line + "\"");
    }
    if (flag == "9") c.Overwrite(b.from, b.width, '/');
  }
  return Mid(c, 1, 6) + Mid(c, 9, 4) + Mid(c, 15, 3) + Mid(c, 20, 3) + Mid(c, 25, 6) + Mid(c, 33, 4) + Mid(c, 39, 3);
}

FileRecords ConvertBinaryFile(const std::vector<std::string>& lines, const std::optional<StationEntry>& entry) {
  if (lines.size() < 4) throw ConversionStop(62, "file shorter than its four header lines");
  const StationHeader head = ReadHeader(lines[1]);
  std::vector<Chars> data;
  for (std::size_t i = 4; i < lines.size(); ++i) data.push_back(ToChars(lines[i]));
  const int days = DaysInMonth(head.year, head.month);

  FileRecords out;
  const std::int16_t kind = entry ? entry->kind : std::int16_t{4};
  for (const DayRecord& r : HourWalk(4).Run(data, days, StoreValuesAtoD)) {
    if (HoldsValue(r)) out.dvx += DvxBytes(head, kind, r);
  }
  if (entry && entry->snow == 5) {
    for (const DayRecord& r : HourWalk(1).Run(data, days, StoreValueE)) {
      if (HoldsValue(r)) out.dvs += DvsBytes(head, entry->snow, r);
    }
  }
  return out;
}

std::string ConvertTextFile(const std::vector<std::string>& lines) {
  if (lines.size() < 4) throw ConversionStop(62, "file shorter than its four header lines");
  std::string out = lines[0] + "\r\n" + lines[1] + "\r\n";
  out += StripFlagHeaders(lines[2]) + "\r\n";
  out += CollapseEmptyHeaders(lines[3]) + "\r\n";
  for (std::size_t i = 4; i < lines.size(); ++i) out += ReshapeDataLine(lines[i]) + "\r\n";
  return out;
}

// ---- Whole trees ------------------------------------------------------------

ExpectedTree ExpectOldEdition(const SourceTree& source) {
  std::vector<const SourceMonth*> months;
  for (const SourceMonth& m : source.months) months.push_back(&m);
  std::sort(months.begin(), months.end(),
            [](const SourceMonth* x, const SourceMonth* y) { return UpperFolded(x->folder) < UpperFolded(y->folder); });

  // First the folders and the station information of every month, as the
  // station table must be complete before any hourly file is converted.
  ExpectedTree out;
  std::vector<TableEntry> table;
  std::vector<bool> textEra;
  for (const SourceMonth* m : months) {
    const std::optional<int> year = YearOfMonthFolder(m->folder);
    if (!year) throw ConversionStop(98, "not a year-month folder: " + m->folder);
    const std::string yyyy = m->folder.substr(0, 4);
    const std::string mm = m->folder.substr(m->folder.size() - 2);
    textEra.push_back(*year >= 2000);
    out.folders.insert(yyyy);
    if (*year <= 1999) {
      out.folders.insert(yyyy + "/STNIDX");
      out.folders.insert(yyyy + "/STNIDX/IDX");
      if (!m->infoBytes) throw ConversionStop(111, "station information missing in " + m->folder);
      const MonthIndex index = ConvertStationInfo(*m->infoBytes, m->folder, table);
      out.files[yyyy + "/STNIDX/IDX/IDX" + yyyy + "." + mm] = index.idx;
      if (index.hasSidx) out.files[yyyy + "/STNIDX/IDX/SIDX" + yyyy + "." + mm] = index.sidx;
    } else {
      out.folders.insert(m->folder);
      if (!m->infoBytes) throw ConversionStop(99, "station information missing in " + m->folder);
      out.files[m->folder + "/idx" + m->folder + ".csv"] = *m->infoBytes;
    }
    for (const std::string& area : m->areaFolders) {
      if (!IsAreaFolder(area)) throw ConversionStop(98, "not an area folder: " + area);
      if (*year >= 2000) out.folders.insert(m->folder + "/" + area);
    }
  }
  for (std::size_t i = 0; i < months.size(); ++i) ConvertMonthFiles(*months[i], textEra[i], table, out);
  return out;
}

SourceTree SourceFromModel(const treegen::Model& model) {
  SourceTree tree;
  for (const treegen::MonthModel& m : model.months) {
    SourceMonth month;
    month.folder = m.folder;
    std::string info;
    for (const std::string& line : m.infoHeader) info += line + "\r\n";
    for (const treegen::StationRow& row : m.stations) info += row.text + "\r\n";
    month.infoBytes = info;
    month.areaFolders = m.areaFolders;
    for (const treegen::HourlyFile& f : m.files) {
      if (f.lines.size() != f.lineCount) throw std::logic_error("model made without keepLines");
      SourceFile file{f.areaFolder, f.fileName, {f.header.begin(), f.header.end()}, {}};
      for (const treegen::DataLine& line : f.lines) file.lines.push_back(line.text);
      month.files.push_back(std::move(file));
    }
    tree.months.push_back(std::move(month));
  }
  return tree;
}

SourceTree SourceFromDisk(const std::filesystem::path& hourlyRoot) {
  namespace fs = std::filesystem;
  SourceTree tree;
  for (const fs::directory_entry& monthDir : fs::directory_iterator(hourlyRoot)) {
    if (!monthDir.is_directory()) continue;
    SourceMonth month;
    month.folder = monthDir.path().filename().string();
    const fs::path info = monthDir.path() / ("idx" + month.folder + ".csv");
    if (fs::is_regular_file(info)) month.infoBytes = ReadWholeFile(info);
    for (const fs::directory_entry& areaDir : fs::directory_iterator(monthDir.path())) {
      if (!areaDir.is_directory()) continue;
      const std::string area = areaDir.path().filename().string();
      month.areaFolders.push_back(area);
      for (const fs::directory_entry& file : fs::directory_iterator(areaDir.path())) {
        if (!file.is_regular_file()) continue;
        month.files.push_back(SourceFile{area, file.path().filename().string(), {}, file.path()});
      }
    }
    tree.months.push_back(std::move(month));
  }
  return tree;
}

FileMap ExpectedOldEdition(const treegen::Model& model) { return ExpectOldEdition(SourceFromModel(model)).files; }

FileMap ExpectedOldEditionFromDisk(const std::filesystem::path& hourlyRoot) {
  return ExpectOldEdition(SourceFromDisk(hourlyRoot)).files;
}

ExpectedTree ReadOldEditionTree(const std::filesystem::path& dorvaxRoot) {
  namespace fs = std::filesystem;
  ExpectedTree tree;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dorvaxRoot)) {
    const std::string relative = fs::relative(e.path(), dorvaxRoot).generic_string();
    if (e.is_directory())
      tree.folders.insert(relative);
    else if (e.is_regular_file())
      tree.files[relative] = ReadWholeFile(e.path());
  }
  return tree;
}

std::string FirstDifference(const FileMap& expected, const FileMap& actual) {
  for (const auto& [path, bytes] : expected) {
    const auto it = actual.find(path);
    if (it == actual.end()) return "missing file " + path;
    const std::string& got = it->second;
    const auto mismatch = std::mismatch(bytes.begin(), bytes.end(), got.begin(), got.end());
    if (mismatch.first == bytes.end() && mismatch.second == got.end()) continue;
    const auto offset = static_cast<std::size_t>(mismatch.first - bytes.begin());
    std::ostringstream text;
    text << path << ": " << bytes.size() << " bytes expected, " << got.size() << " written; first difference at byte "
         << offset;
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::size_t record = name.rfind("DVX", 0) == 0   ? kDvxRecordBytes
                               : name.rfind("DVS", 0) == 0 ? kDvsRecordBytes
                                                           : 0;
    if (record != 0) text << " (record " << offset / record + 1 << ", byte " << offset % record << ")";
    if (offset < bytes.size()) text << ", expected " << Hex(static_cast<unsigned char>(bytes[offset]));
    if (offset < got.size()) text << ", written " << Hex(static_cast<unsigned char>(got[offset]));
    return text.str();
  }
  for (const auto& [path, bytes] : actual) {
    if (expected.find(path) == expected.end()) return "unexpected file " + path;
  }
  return "";
}

}  // namespace treegen_oracle
