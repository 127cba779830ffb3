#pragma once
// The day records of the old edition's binary files and their exact bytes:
// a DVX record (256 bytes) holds values A to D of the 24 hours of one
// station and day, a DVS record (80 bytes) value E. All fields are
// little-endian two's-complement integers; records follow one another with
// no header or gap. This is the one definition of that layout, for writing
// and for reading back.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dorvax {

namespace platform {
class BinaryWriter;
}

// The mark of a missing value in memory and in the written records (except
// value B of a DVX record, written as -1 when missing).
constexpr int16_t MISSING = 32767;

constexpr std::size_t kDvxRecordSize = 256;
constexpr std::size_t kDvsRecordSize = 80;

// Arrays are indexed as the old edition numbers them, from 1; element 0 is
// unused and never written.
struct DvxDayRecord {
  int16_t intLead = 0;
  int32_t lngStationNo = 0;
  int16_t intKind = 0;
  int16_t intYear = 0;
  int16_t intMonth = 0;
  int16_t intDay = 0;
  std::array<int16_t, 97> intValue{};    // 1..96: hour h, slot k at (h-1)*4 + k
  std::array<int16_t, 18> intTrailer{};  // 1..17
  std::array<int32_t, 5> lngTrailer{};   // 1..4
};

struct DvsDayRecord {
  int32_t lngStationNo = 0;
  int16_t intKind = 0;
  int16_t intYear = 0;
  int16_t intMonth = 0;
  int16_t intDay = 0;
  std::array<int16_t, 25> intValue{};    // 1..24
  std::array<int16_t, 11> intTrailer{};  // 1..10
};

// Slots of an hour in a DVX record.
enum DvxSlot : int { kSlotA = 1, kSlotB = 2, kSlotD = 3, kSlotC = 4 };
inline int DvxIndex(int hour, int slot) { return (hour - 1) * 4 + slot; }

// Growable lists of records; index 0 is never used.
using DvxRecordList = std::vector<DvxDayRecord>;
using DvsRecordList = std::vector<DvsDayRecord>;

// The exact bytes of a record.
void EncodeDvxRecord(const DvxDayRecord& record, unsigned char out[kDvxRecordSize]);
void EncodeDvsRecord(const DvsDayRecord& record, unsigned char out[kDvsRecordSize]);
// A record read back from its bytes (a value B written as -1 reads as -1).
DvxDayRecord DecodeDvxRecord(const unsigned char in[kDvxRecordSize]);
DvsDayRecord DecodeDvsRecord(const unsigned char in[kDvsRecordSize]);

// Appends a record's bytes to an open file (one buffered append).
void WriteDvxRecord(platform::BinaryWriter& file, const DvxDayRecord& record);
void WriteDvsRecord(platform::BinaryWriter& file, const DvsDayRecord& record);

// True when any of the hourly values differs from MISSING.
bool HasDvxValues(const DvxDayRecord& record);
bool HasDvsValues(const DvsDayRecord& record);

}  // namespace dorvax
