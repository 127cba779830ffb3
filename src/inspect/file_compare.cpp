#include "inspect/file_compare.h"

#include <algorithm>
#include <string>

#include "formats/day_records.h"
#include "inspect/cp932_decode.h"
#include "inspect/output_text.h"
#include "inspect/record_fields.h"
#include "inspect/text_lines.h"

namespace dorvax::inspect {

namespace {

struct RecordView {
  std::vector<NamedField> fields;
  int32_t station = 0;
  int day = 0;
};

RecordView ViewRecord(FileKind kind, const unsigned char* bytes) {
  if (kind == FileKind::kDvx) {
    DvxDayRecord r = DecodeDvxRecord(bytes);
    return {FieldsOf(r), r.lngStationNo, r.intDay};
  }
  DvsDayRecord r = DecodeDvsRecord(bytes);
  return {FieldsOf(r), r.lngStationNo, r.intDay};
}

std::string RecordPrefix(std::size_t index, const RecordView& view) {
  return " record " + std::to_string(index) + " station " + std::to_string(view.station) + " day " +
         std::to_string(view.day);
}

const unsigned char* Bytes(std::string_view data) { return reinterpret_cast<const unsigned char*>(data.data()); }

std::string ShownText(const std::string& text) { return text.empty() ? kMissingText : text; }

// Prints one field that differs between two records, as dorvax-dump shows
// it (C in decimal form, B as B1 and B2, a missing value as null); only the
// parts that read differently. Two different marks of a missing value read
// alike and are shown as stored.
void CompareField(const std::string& prefix, const NamedField& left, const NamedField& right, DiffPrinter& printer) {
  std::vector<ShownPart> a = ShownParts(left);
  std::vector<ShownPart> b = ShownParts(right);
  bool shown = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text == b[i].text) continue;
    printer.Line(prefix + " " + a[i].name + ": " + ShownText(a[i].text) + " != " + ShownText(b[i].text));
    shown = true;
  }
  if (!shown)
    printer.Line(prefix + " " + left.name + " (stored): " + std::to_string(left.value) +
                 " != " + std::to_string(right.value));
}

// Prints the fields that differ between two records whose bytes differ.
void CompareRecord(FileKind kind, std::size_t index, const unsigned char* a, const unsigned char* b,
                   DiffPrinter& printer) {
  RecordView left = ViewRecord(kind, a);
  RecordView right = ViewRecord(kind, b);
  std::string prefix = RecordPrefix(index, left);
  bool differs = false;
  for (std::size_t i = 0; i < left.fields.size(); ++i) {
    if (left.fields[i].value == right.fields[i].value) continue;
    CompareField(prefix, left.fields[i], right.fields[i], printer);
    differs = true;
  }
  if (!differs) printer.Line(prefix + ": bytes differ");  // only if decoding ever lost a byte
}

std::string DescribeTail(std::string_view tail, std::size_t offset) {
  if (tail.empty()) return "none";
  return std::to_string(tail.size()) + " bytes at byte offset " + std::to_string(offset);
}

std::string ShownLine(std::string_view text) { return QuotedForDiff(Cp932ToUtf8(text)); }

}  // namespace

FileTally CompareRecordFiles(FileKind kind, std::string_view a, std::string_view b, DiffPrinter& printer) {
  const std::size_t size = RecordSizeOf(kind);
  const std::size_t countA = a.size() / size;
  const std::size_t countB = b.size() / size;
  const std::size_t common = std::min(countA, countB);
  FileTally tally;
  tally.records = std::max(countA, countB);
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char* left = Bytes(a) + i * size;
    const unsigned char* right = Bytes(b) + i * size;
    if (std::equal(left, left + size, right)) continue;
    CompareRecord(kind, i + 1, left, right, printer);
    ++tally.differentRecords;
  }
  if (countA != countB) {
    printer.Line(": record count " + std::to_string(countA) + " != " + std::to_string(countB));
    std::string_view longer = countA > countB ? a : b;
    const char* side = countA > countB ? "A" : "B";
    for (std::size_t i = common; i < tally.records; ++i) {
      RecordView view = ViewRecord(kind, Bytes(longer) + i * size);
      printer.Line(RecordPrefix(i + 1, view) + ": only in " + side);
      ++tally.differentRecords;
    }
  }
  std::string_view tailA = a.substr(countA * size);
  std::string_view tailB = b.substr(countB * size);
  if (tailA != tailB || (!tailA.empty() && countA != countB)) {
    printer.Line(": broken tail: " + DescribeTail(tailA, countA * size) + " != " + DescribeTail(tailB, countB * size));
    ++tally.records;
    ++tally.differentRecords;
  }
  return tally;
}

FileTally CompareTextFiles(std::string_view a, std::string_view b, DiffPrinter& printer) {
  std::vector<TextLine> left = SplitLines(a);
  std::vector<TextLine> right = SplitLines(b);
  const std::size_t common = std::min(left.size(), right.size());
  FileTally tally;
  tally.records = std::max(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    std::string prefix = " line " + std::to_string(i + 1) + ": ";
    if (left[i].text != right[i].text) {
      printer.Line(prefix + ShownLine(left[i].text) + " != " + ShownLine(right[i].text));
    } else if (left[i].ending != right[i].ending) {
      printer.Line(prefix + "line end " + QuotedForDiff(left[i].ending) + " != " + QuotedForDiff(right[i].ending));
    } else {
      continue;
    }
    ++tally.differentRecords;
  }
  if (left.size() != right.size()) {
    printer.Line(": line count " + std::to_string(left.size()) + " != " + std::to_string(right.size()));
    for (std::size_t i = common; i < tally.records; ++i) {
      std::string prefix = " line " + std::to_string(i + 1) + ": ";
      printer.Line(prefix + (i < left.size() ? ShownLine(left[i].text) + " != (none)"
                                             : "(none) != " + ShownLine(right[i].text)));
      ++tally.differentRecords;
    }
  }
  return tally;
}

FileTally CompareByteFiles(std::string_view a, std::string_view b, DiffPrinter& printer) {
  FileTally tally;
  tally.records = 1;
  if (a == b) return tally;
  auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  std::size_t offset = static_cast<std::size_t>(left - a.begin());
  (void)right;
  printer.Line(": bytes differ from byte offset " + std::to_string(offset) + " (sizes " + std::to_string(a.size()) +
               " and " + std::to_string(b.size()) + ")");
  tally.differentRecords = 1;
  return tally;
}

FileTally CompareFileContents(FileKind kind, std::string_view a, std::string_view b, DiffPrinter& printer) {
  if (IsRecordKind(kind)) return CompareRecordFiles(kind, a, b, printer);
  if (IsIndexKind(kind) || kind == FileKind::kText) return CompareTextFiles(a, b, printer);
  return CompareByteFiles(a, b, printer);
}

}  // namespace dorvax::inspect
