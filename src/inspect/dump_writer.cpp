#include "inspect/dump_writer.h"

#include <cstdio>

#include "inspect/cp932_decode.h"
#include "inspect/output_text.h"
#include "inspect/record_fields.h"
#include "platform/numeric_text.h"

namespace dorvax::inspect {

namespace {

std::string TwoDigits(int n) {
  char buffer[4];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

// JSON shows a missing value (empty text) as null.
std::string OrNull(const std::string& text) { return text.empty() ? kMissingText : text; }

// The five cells of one DVX hour, each empty when missing.
struct DvxHourTexts {
  std::string a, b1, b2, c, d;
};

DvxHourTexts HourTexts(const DvxDayRecord& r, int hour) {
  DvxHourTexts t;
  t.a = ValueText(r.intValue[DvxIndex(hour, kSlotA)]);
  ValueBTexts b = ValueBText(r.intValue[DvxIndex(hour, kSlotB)]);
  t.b1 = b.b1;
  t.b2 = b.b2;
  t.c = TenthsText(r.intValue[DvxIndex(hour, kSlotC)]);
  t.d = TenthsText(r.intValue[DvxIndex(hour, kSlotD)]);
  return t;
}

std::string CsvRecordHead(const std::string& file, std::size_t index, int32_t station, int kind, int year, int month,
                          int day) {
  return CsvField(file) + "," + std::to_string(index) + "," + std::to_string(station) + "," + std::to_string(kind) +
         "," + std::to_string(year) + "," + std::to_string(month) + "," + std::to_string(day);
}

std::string JsonRecordHead(const char* type, const std::string& file, std::size_t index, int32_t station, int kind,
                           int year, int month, int day) {
  return std::string("{\"type\":\"") + type + "\",\"file\":" + JsonString(file) +
         ",\"record\":" + std::to_string(index) + ",\"station\":" + std::to_string(station) +
         ",\"kind\":" + std::to_string(kind) + ",\"year\":" + std::to_string(year) +
         ",\"month\":" + std::to_string(month) + ",\"day\":" + std::to_string(day);
}

// The fields every day record starts with: CSV fields, or the opening of a
// JSON object up to its list of hours.
template <typename Record>
std::string RecordHead(bool csv, const char* type, const std::string& file, std::size_t index, const Record& r) {
  if (csv) return CsvRecordHead(file, index, r.lngStationNo, r.intKind, r.intYear, r.intMonth, r.intDay);
  return JsonRecordHead(type, file, index, r.lngStationNo, r.intKind, r.intYear, r.intMonth, r.intDay) + ",\"hours\":[";
}

}  // namespace

void DumpWriter::UseColumns(Columns columns) {
  if (format_ != DumpFormat::kCsv || columns == columns_) return;
  columns_ = columns;
  if (columns == Columns::kIndex) {
    out_ << "file,line";
    for (std::size_t i = 1; i <= kIndexFieldCount; ++i) out_ << ",field" << i;
    out_ << ",rest\n";
    return;
  }
  out_ << "file,record,station,kind,year,month,day";
  for (int hour = 1; hour <= 24; ++hour) {
    std::string h = "h" + TwoDigits(hour) + "_";
    if (columns == Columns::kDvx)
      out_ << ',' << h << "A," << h << "B1," << h << "B2," << h << "C," << h << 'D';
    else
      out_ << ',' << h << 'E';
  }
  out_ << '\n';
}

void DumpWriter::WriteDvx(const std::string& file, std::size_t index, const DvxDayRecord& r) {
  UseColumns(Columns::kDvx);
  bool csv = format_ == DumpFormat::kCsv;
  out_ << RecordHead(csv, "DVX", file, index, r);
  for (int hour = 1; hour <= 24; ++hour) {
    DvxHourTexts t = HourTexts(r, hour);
    if (csv) {
      out_ << ',' << t.a << ',' << t.b1 << ',' << t.b2 << ',' << t.c << ',' << t.d;
    } else {
      out_ << (hour > 1 ? "," : "") << "{\"hour\":" << hour << ",\"A\":" << OrNull(t.a) << ",\"B1\":" << OrNull(t.b1)
           << ",\"B2\":" << OrNull(t.b2) << ",\"C\":" << OrNull(t.c) << ",\"D\":" << OrNull(t.d) << '}';
    }
  }
  out_ << (csv ? "\n" : "]}\n");
}

void DumpWriter::WriteDvs(const std::string& file, std::size_t index, const DvsDayRecord& r) {
  UseColumns(Columns::kDvs);
  bool csv = format_ == DumpFormat::kCsv;
  out_ << RecordHead(csv, "DVS", file, index, r);
  for (int hour = 1; hour <= 24; ++hour) {
    std::string e = ValueText(r.intValue[hour]);
    if (csv)
      out_ << ',' << e;
    else
      out_ << (hour > 1 ? "," : "") << "{\"hour\":" << hour << ",\"E\":" << OrNull(e) << '}';
  }
  out_ << (csv ? "\n" : "]}\n");
}

void DumpWriter::WriteIndexLine(const std::string& file, FileKind kind, std::size_t lineNumber,
                                const IndexLineFields& line) {
  UseColumns(Columns::kIndex);
  if (format_ == DumpFormat::kCsv) {
    out_ << CsvField(file) << ',' << lineNumber;
    for (const std::string& field : line.fields) out_ << ',' << CsvField(Cp932ToUtf8(field));
    out_ << ',' << CsvField(Cp932ToUtf8(line.rest)) << '\n';
    return;
  }
  auto station = platform::TryReadInt32(line.fields[0]);
  out_ << "{\"type\":\"" << KindLabel(kind) << "\",\"file\":" << JsonString(file) << ",\"line\":" << lineNumber
       << ",\"station\":" << (station ? std::to_string(*station) : "null") << ",\"fields\":[";
  for (std::size_t i = 0; i < kIndexFieldCount; ++i)
    out_ << (i > 0 ? "," : "") << JsonString(Cp932ToUtf8(line.fields[i]));
  out_ << "],\"rest\":" << JsonString(Cp932ToUtf8(line.rest)) << "}\n";
}

}  // namespace dorvax::inspect
