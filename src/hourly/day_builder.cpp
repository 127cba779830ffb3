#include "hourly/day_builder.h"

#include <string>

#include "formats/usual_data_line.h"
#include "platform/compiler.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

constexpr int16_t kHoursPerDay = 24;
// The data part of a file starts after four header lines.
constexpr std::size_t kHeaderLines = 4;
// Where a data line belongs. Only a line whose hour is 1 to 24 can ever be
// placed: every other hour would keep the stepping going without end, so such
// a file cannot be converted. Any day can be placed, because every record
// opened at hour 24 takes the day of the line under consideration.
struct LinePlace {
  int16_t day = 0;
  int16_t hour = 0;
};

bool IsDayHour(int16_t hour) { return hour >= 1 && hour <= kHoursPerDay; }

LinePlace PlaceOf(std::string_view line) {
  LinePlace place;
  place.day = ReadLineDay(line);
  place.hour = ReadLineHour(line);
  if (!IsDayHour(place.hour)) throw platform::MakeError(platform::kErrTypeMismatch);
  return place;
}

// A line read with the general reading; a failure names the line.
template <typename Read>
auto ReadNamingTheLine(const DataLines& lines, std::size_t index, Read read) {
  return dorvax::ReadNamingTheLine(index + kHeaderLines, lines[index], read);
}

// Day, hour and value E of a line as the pass of values A to D found them
// with the usual line's fast reading, kept for the pass of value E when the
// station has one: the E pass then takes them instead of reading the line a
// second time. Only a line read without any fault is kept, so the E pass
// still reads every other line itself and raises what it must, in its order.
struct KnownE {
  LinePlace place;
  int16_t e = 0;
  bool known = false;
};
using KnownEList = std::vector<KnownE>;

// What differs between the pass of values A to D and the pass of value E.
// Each pass reads a line once, when it becomes the line under consideration:
// its day and hour, then its values, although the values are stored only at
// the hour the line is placed. Reading them early raises nothing out of
// order: every line is placed before the next one is considered, and a
// failure drops all records of the file anyway.
template <bool kKeepE>
struct DvxPass {
  using Record = DvxDayRecord;
  struct Line {
    LinePlace place;
    HourValues values;
  };
  // Filled while reading when the station also has value E (kKeepE).
  KnownEList* knownE = nullptr;

  Line Read(const DataLines& lines, std::size_t index) const {
    Line line;
    if (TryReadHourValues(lines[index], kKeepE, line.values) && IsDayHour(line.values.hour)) {
      line.place = {line.values.day, line.values.hour};
      if (kKeepE) (*knownE)[index] = {line.place, line.values.e, true};
      return line;
    }
    return ReadUnusual(lines, index);
  }
  // A line the fast reading did not take: with value E kept, the fault may
  // lie in value E alone, which this pass does not read; otherwise the
  // general reading, which raises what it must, in its order.
  DORVAX_NOINLINE static Line ReadUnusual(const DataLines& lines, std::size_t index) {
    Line line;
    if (kKeepE && TryReadHourValues(lines[index], false, line.values) && IsDayHour(line.values.hour)) {
      line.place = {line.values.day, line.values.hour};
      return line;
    }
    return ReadNamingTheLine(lines, index, [](std::string_view text) {
      return Line{PlaceOf(text), ReadHourValues(text, false)};
    });
  }
  static void Finish(Record& record) { InitDvxTrailer(record); }
  static void Append(std::vector<Record>& records) { AppendDvxDay(records); }
  static void StoreMissing(Record& record, int16_t h) {
    for (int slot = kSlotA; slot <= kSlotC; ++slot) record.intValue[DvxIndex(h, slot)] = MISSING;
  }
  static void StoreLine(Record& record, int16_t h, const Line& line) {
    const HourValues& v = line.values;
    record.intValue[DvxIndex(h, kSlotA)] = v.a;
    record.intValue[DvxIndex(h, kSlotB)] = v.b;
    record.intValue[DvxIndex(h, kSlotD)] = v.d;
    record.intValue[DvxIndex(h, kSlotC)] = v.c;
  }
};

struct DvsPass {
  using Record = DvsDayRecord;
  struct Line {
    LinePlace place;
    int16_t e = 0;
  };
  const KnownEList* knownE = nullptr;

  Line Read(const DataLines& lines, std::size_t index) const {
    if ((*knownE)[index].known) return {(*knownE)[index].place, (*knownE)[index].e};
    Line line;
    HourValues v;
    if (TryReadValueE(lines[index], v) && IsDayHour(v.hour)) {
      line.place = {v.day, v.hour};
      line.e = v.e;
      return line;
    }
    return ReadNamingTheLine(lines, index, [](std::string_view text) { return Line{PlaceOf(text), ReadValueE(text)}; });
  }
  static void Finish(Record& record) { InitDvsTrailer(record); }
  static void Append(std::vector<Record>& records) { AppendDvsDay(records); }
  static void StoreMissing(Record& record, int16_t h) { record.intValue[h] = MISSING; }
  static void StoreLine(Record& record, int16_t h, const Line& line) { record.intValue[h] = line.e; }
};

// The hour counter of one pass. At hour 24 the current record is finished
// and the next one opened; `day` is the day the new record gets.
template <typename Pass>
void AdvanceHour(int16_t& h, std::vector<typename Pass::Record>& records, const int16_t* day) {
  if (h == 0) {
    if (day) records.back().intDay = *day;
    h = 1;
  } else if (h == kHoursPerDay) {
    Pass::Finish(records.back());
    Pass::Append(records);
    if (day) records.back().intDay = *day;
    h = 1;
  } else {
    ++h;
  }
}

// One pass over the data lines: each step is one hour; a line that does not
// belong to the hour reached is offered again to the next hour. A line whose
// hour is 1 to 24 is placed within 48 steps (the rest of the current day,
// then its hour of the day opened for it), so a pass takes at most
// 48 * lines + 31 * 24 steps.
template <typename Pass>
void StepHours(const Pass& pass, const DataLines& lines, std::vector<typename Pass::Record>& records) {
  const std::size_t lineCount = lines.empty() ? 0 : lines.size() - 1;
  int16_t h = 0;
  int32_t steps = 0;
  std::size_t i = 1;
  std::size_t readIndex = 0;  // the line `line` was read from
  typename Pass::Line line;
  while (i <= lineCount) {
    if (readIndex != i) {
      line = pass.Read(lines, i);
      readIndex = i;
    }
    AdvanceHour<Pass>(h, records, &line.place.day);
    auto& record = records.back();
    if (record.intDay == line.place.day && h == line.place.hour) {
      Pass::StoreLine(record, h, line);
      ++i;
    } else {
      Pass::StoreMissing(record, h);
    }
    ++steps;
  }

  // A file that stops early: the month is completed with missing hours; the
  // records opened on the way hold nothing and are never written.
  const auto& last = records.back();
  const int32_t monthHours = int32_t{DaysInMonth(last.intYear, last.intMonth)} * kHoursPerDay;
  while (steps < monthHours) {
    AdvanceHour<Pass>(h, records, nullptr);
    Pass::StoreMissing(records.back(), h);
    ++steps;
  }
  Pass::Finish(records.back());
}

bool IsLeapYear(int32_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

}  // namespace

void BuildDayRecords(const DataLines& lines, DvxRecordList& dvxRecords, DvsRecordList& dvsRecords) {
  // Record 1 is handed over by the station header; index 0 is never used.
  if (dvxRecords.size() < 2) dvxRecords.resize(2);
  const bool withE = dvsRecords.size() >= 2;
  if (!withE) {
    StepHours(DvxPass<false>{}, lines, dvxRecords);
    return;
  }
  KnownEList knownE(lines.size());
  StepHours(DvxPass<true>{&knownE}, lines, dvxRecords);
  StepHours(DvsPass{&knownE}, lines, dvsRecords);
}

void InitDvxTrailer(DvxDayRecord& record) {
  static constexpr int16_t kTrailer[18] = {0,     32767, 9, 32767, 0, 32767, 9,  32767, 0,
                                           32767, 32767, 9, 32767, 0, 32767, -1, 32767, 9};
  for (std::size_t k = 1; k <= 17; ++k) record.intTrailer[k] = kTrailer[k];
  for (std::size_t k = 1; k <= 4; ++k) record.lngTrailer[k] = 0;
}

void InitDvsTrailer(DvsDayRecord& record) {
  for (std::size_t k = 1; k <= 10; ++k) record.intTrailer[k] = (k % 2 == 1) ? MISSING : 9;
}

namespace {

// The header fields a new day takes over from the day before; copied out
// before the list grows (which may move its records), and nothing more: a
// whole record is several hundred bytes and a month opens one per day.
template <typename Record>
struct CarriedHeader {
  explicit CarriedHeader(const Record& before)
      : stationNo(before.lngStationNo), kind(before.intKind), year(before.intYear), month(before.intMonth) {}
  void Into(Record& next) const {
    next.lngStationNo = stationNo;
    next.intKind = kind;
    next.intYear = year;
    next.intMonth = month;
  }
  int32_t stationNo;
  int16_t kind, year, month;
};

}  // namespace

void AppendDvxDay(DvxRecordList& dvxRecords) {
  const CarriedHeader<DvxDayRecord> header(dvxRecords.back());
  DvxDayRecord& next = dvxRecords.emplace_back();
  next.intLead = 0;
  header.Into(next);
}

void AppendDvsDay(DvsRecordList& dvsRecords) {
  const CarriedHeader<DvsDayRecord> header(dvsRecords.back());
  header.Into(dvsRecords.emplace_back());
}

int16_t DaysInMonth(int16_t year, int16_t month) {
  // Two-digit years: 76 to 99 are the 1900s, below 76 the 2000s.
  int32_t fullYear = year;
  if (year < 100) fullYear = year < 76 ? 2000 + year : 1900 + year;
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
    case 2: return IsLeapYear(fullYear) ? 29 : 28;
    default: return 0;
  }
}

}  // namespace dorvax
