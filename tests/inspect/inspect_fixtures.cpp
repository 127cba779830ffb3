#include "inspect_fixtures.h"

#include <sstream>

#include "inspect/compare_command.h"
#include "inspect/dump_command.h"

namespace dorvax::inspect::testing {

void PutInt16(std::string& bytes, int16_t value) {
  auto v = static_cast<uint16_t>(value);
  bytes += static_cast<char>(v & 0xFF);
  bytes += static_cast<char>(v >> 8);
}

void PutInt32(std::string& bytes, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((v >> shift) & 0xFF);
}

namespace {
constexpr int16_t kDvxTrailer[18] = {0,     32767, 9, 32767, 0, 32767, 9,  32767, 0,
                                     32767, 32767, 9, 32767, 0, 32767, -1, 32767, 9};
}

std::string DvxTrailerBytes() {
  std::string bytes;
  for (int i = 1; i <= 17; ++i) PutInt16(bytes, kDvxTrailer[i]);
  for (int i = 1; i <= 4; ++i) PutInt32(bytes, 0);
  return bytes;
}

DvxDayRecord EmptyDvx(int32_t station, int16_t kind, int16_t year, int16_t month, int16_t day) {
  DvxDayRecord r;
  r.lngStationNo = station;
  r.intKind = kind;
  r.intYear = year;
  r.intMonth = month;
  r.intDay = day;
  r.intValue.fill(MISSING);
  r.intValue[0] = 0;
  for (int i = 1; i <= 17; ++i) r.intTrailer[i] = kDvxTrailer[i];
  return r;
}

DvsDayRecord EmptyDvs(int32_t station, int16_t year, int16_t month, int16_t day) {
  DvsDayRecord r;
  r.lngStationNo = station;
  r.intKind = 5;
  r.intYear = year;
  r.intMonth = month;
  r.intDay = day;
  r.intValue.fill(MISSING);
  r.intValue[0] = 0;
  for (int i = 1; i <= 10; ++i) r.intTrailer[i] = (i % 2 == 1) ? 32767 : 9;
  return r;
}

std::string Bytes(const DvxDayRecord& record) {
  unsigned char out[kDvxRecordSize];
  EncodeDvxRecord(record, out);
  return std::string(reinterpret_cast<const char*>(out), kDvxRecordSize);
}

std::string Bytes(const DvsDayRecord& record) {
  unsigned char out[kDvsRecordSize];
  EncodeDvsRecord(record, out);
  return std::string(reinterpret_cast<const char*>(out), kDvsRecordSize);
}

RunResult Dump(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  RunResult r;
  r.code = RunDump(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

RunResult Compare(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  RunResult r;
  r.code = RunCompare(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::size_t CountLines(const std::string& text) {
  std::size_t n = 0;
  for (char c : text)
    if (c == '\n') ++n;
  return n;
}

}  // namespace dorvax::inspect::testing
