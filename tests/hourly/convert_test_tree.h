#pragma once
// Small new-edition hourly trees for the conversion driver's tests, built
// by hand: station header line 2 with the station number in columns 1-5,
// the year in 40-41 and the month in 43-44, and data lines in the 43-column
// layout (value, flag, value, flag, ...).
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "platform/native_path.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

// The values of one data line; a flag of 9 marks its value missing.
struct HourLine {
  int day = 1;
  int hour = 1;
  int a = 123;
  int flagA = 0;
  int b1 = 8;
  int flagB1 = 0;
  int b2 = 12;
  int flagB2 = 0;
  double c = -12.3;
  int flagC = 0;
  double d = 0.5;
  int flagD = 0;
  int e = 7;
  int flagE = 0;
};

inline std::string DataLine(const HourLine& h) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d,%02d,%5d,%d,%02d,%d,%02d,%d,%5.1f,%d,%3.1f,%d,%3d,%d", h.day, h.hour, h.a,
                h.flagA, h.b1, h.flagB1, h.b2, h.flagB2, h.c, h.flagC, h.d, h.flagD, h.e, h.flagE);
  return text;
}

inline HourLine At(int day, int hour) {
  HourLine h;
  h.day = day;
  h.hour = hour;
  return h;
}

// Line 2: station number right-aligned in columns 1-5, two-digit year at
// 40-41, month at 43-44.
inline std::string StationHeaderLine(int stationNo, int yy, int mm) {
  char number[16];
  std::snprintf(number, sizeof number, "%5d", stationNo);
  std::string line = std::string(number) + ",STATION";
  line.resize(39, ' ');
  char date[16];
  std::snprintf(date, sizeof date, "%02d,%02d", yy, mm);
  return line + date;
}

inline const char* const kTitleLine3 = "DD,HH,A,Flag,B1,Flag,B2,Flag,C,Flag,D,Flag,E,Flag";
inline const char* const kTitleLine4 = ",,,,,,,,,,,,,";

inline std::string HourlyFile(int stationNo, int yy, int mm, const std::vector<std::string>& dataLines) {
  std::string text = "HOURLY DATA\r\n" + StationHeaderLine(stationNo, yy, mm) + "\r\n" + kTitleLine3 + "\r\n" +
                     kTitleLine4 + "\r\n";
  for (const std::string& line : dataLines) text += line + "\r\n";
  return text;
}

// A source tree under <temp>/new/dorvax/hourly/ and a destination under
// <temp>/old/dorvax/ with the folders the tree step would have made.
class HourlyTree {
 public:
  std::string src() const { return dir_ / "new/dorvax/hourly/"; }
  std::string dst() const { return dir_ / "old/dorvax/"; }
  std::string Src(const std::string& relative) const { return dir_ / ("new/dorvax/hourly/" + relative); }
  std::string Dst(const std::string& relative) const { return dir_ / ("old/dorvax/" + relative); }

  void AddFile(const std::string& yearMonth, const std::string& area, const std::string& name,
               const std::string& bytes) {
    MakeFolders(Src(yearMonth + "/" + area));
    WriteBytes(Src(yearMonth + "/" + area + "/" + name), bytes);
    if (yearMonth < "2000")
      MakeFolders(Dst(yearMonth.substr(0, 4)));
    else
      MakeFolders(Dst(yearMonth + "/" + area));
  }

  // Points the window at the tree as the folder checks would.
  void Attach(FakeWindow& frm, int32_t fileTotal, int16_t sourceKind = 1) const {
    MakeFolders(src());
    MakeFolders(dst());
    frm.run.strFolderPath = {src(), dst()};
    frm.run.intSourceKind = sourceKind;
    frm.run.lngFileTotal = fileTotal;
  }

 private:
  TempDir dir_;
};

// Fields of the written records, read straight from their bytes.
inline int32_t Int16At(const std::string& bytes, std::size_t offset) {
  auto lo = static_cast<unsigned char>(bytes[offset]);
  auto hi = static_cast<unsigned char>(bytes[offset + 1]);
  return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}
inline int32_t Int32At(const std::string& bytes, std::size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  return static_cast<int32_t>(v);
}

struct DvxView {
  int32_t station;
  int32_t kind;
  int32_t day;
  bool operator==(const DvxView&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const DvxView& v) {
  return out << "{station " << v.station << ", kind " << v.kind << ", day " << v.day << "}";
}

// Station, kind and day of every 256-byte DVX record of a file.
inline std::vector<DvxView> DvxRecords(const std::string& bytes) {
  std::vector<DvxView> out;
  for (std::size_t at = 0; at + 256 <= bytes.size(); at += 256)
    out.push_back({Int32At(bytes, at + 2), Int16At(bytes, at + 6), Int16At(bytes, at + 12)});
  return out;
}

}  // namespace dorvax::testing
