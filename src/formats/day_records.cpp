#include "formats/day_records.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/binary_file.h"

namespace dorvax {

namespace {

// Little-endian two's-complement fields at a running offset.
class RecordWriter {
 public:
  explicit RecordWriter(unsigned char* out) : out_(out) {}
  void Int16(int16_t value) {
    auto v = static_cast<uint16_t>(value);
    out_[at_++] = static_cast<unsigned char>(v & 0xFF);
    out_[at_++] = static_cast<unsigned char>(v >> 8);
  }
  void Int32(int32_t value) {
    auto v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out_[at_++] = static_cast<unsigned char>((v >> shift) & 0xFF);
  }

 private:
  unsigned char* out_;
  std::size_t at_ = 0;
};

class RecordReader {
 public:
  explicit RecordReader(const unsigned char* in) : in_(in) {}
  int16_t Int16() {
    auto v = static_cast<uint16_t>(in_[at_] | (in_[at_ + 1] << 8));
    at_ += 2;
    return static_cast<int16_t>(v);
  }
  int32_t Int32() {
    uint32_t v = 0;
    for (int shift = 0; shift < 32; shift += 8) v |= uint32_t{in_[at_++]} << shift;
    return static_cast<int32_t>(v);
  }

 private:
  const unsigned char* in_;
  std::size_t at_ = 0;
};

// Value B (slot 2 of every hour) is written as -1 when missing; the old
// edition's readers expect that mark for it.
constexpr int16_t kMissingValueBOnDisk = -1;

bool IsValueBIndex(std::size_t k) { return k % 4 == 2; }

template <std::size_t N>
bool AnyPresent(const std::array<int16_t, N>& values) {
  return std::any_of(values.begin() + 1, values.end(), [](int16_t v) { return v != MISSING; });
}

// On a little-endian machine the arrays of a record already hold their
// written bytes: they are copied whole, and only the missing value B marks
// are put right afterwards.
bool EncodeDvxArraysAsTheyAre(const DvxDayRecord& record, unsigned char out[kDvxRecordSize]) {
  if constexpr (std::endian::native != std::endian::little) {
    return false;
  } else {
    RecordWriter w(out);
    w.Int16(record.intLead);
    w.Int32(record.lngStationNo);
    w.Int16(record.intKind);
    w.Int16(record.intYear);
    w.Int16(record.intMonth);
    w.Int16(record.intDay);
    unsigned char* values = out + 14;
    std::memcpy(values, record.intValue.data() + 1, 96 * 2);
    for (std::size_t k = 2; k <= 96; k += 4) {
      if (record.intValue[k] == MISSING) {
        values[(k - 1) * 2] = 0xFF;
        values[(k - 1) * 2 + 1] = 0xFF;
      }
    }
    std::memcpy(out + 206, record.intTrailer.data() + 1, 17 * 2);
    std::memcpy(out + 240, record.lngTrailer.data() + 1, 4 * 4);
    return true;
  }
}

}  // namespace

void EncodeDvxRecord(const DvxDayRecord& record, unsigned char out[kDvxRecordSize]) {
  if (EncodeDvxArraysAsTheyAre(record, out)) return;
  RecordWriter w(out);
  w.Int16(record.intLead);
  w.Int32(record.lngStationNo);
  w.Int16(record.intKind);
  w.Int16(record.intYear);
  w.Int16(record.intMonth);
  w.Int16(record.intDay);
  for (std::size_t k = 1; k <= 96; ++k) {
    int16_t value = record.intValue[k];
    w.Int16(IsValueBIndex(k) && value == MISSING ? kMissingValueBOnDisk : value);
  }
  for (std::size_t k = 1; k <= 17; ++k) w.Int16(record.intTrailer[k]);
  for (std::size_t k = 1; k <= 4; ++k) w.Int32(record.lngTrailer[k]);
}

void EncodeDvsRecord(const DvsDayRecord& record, unsigned char out[kDvsRecordSize]) {
  RecordWriter w(out);
  w.Int32(record.lngStationNo);
  w.Int16(record.intKind);
  w.Int16(record.intYear);
  w.Int16(record.intMonth);
  w.Int16(record.intDay);
  for (std::size_t h = 1; h <= 24; ++h) w.Int16(record.intValue[h]);
  for (std::size_t k = 1; k <= 10; ++k) w.Int16(record.intTrailer[k]);
}

DvxDayRecord DecodeDvxRecord(const unsigned char in[kDvxRecordSize]) {
  RecordReader r(in);
  DvxDayRecord record;
  record.intLead = r.Int16();
  record.lngStationNo = r.Int32();
  record.intKind = r.Int16();
  record.intYear = r.Int16();
  record.intMonth = r.Int16();
  record.intDay = r.Int16();
  for (std::size_t k = 1; k <= 96; ++k) record.intValue[k] = r.Int16();
  for (std::size_t k = 1; k <= 17; ++k) record.intTrailer[k] = r.Int16();
  for (std::size_t k = 1; k <= 4; ++k) record.lngTrailer[k] = r.Int32();
  return record;
}

DvsDayRecord DecodeDvsRecord(const unsigned char in[kDvsRecordSize]) {
  RecordReader r(in);
  DvsDayRecord record;
  record.lngStationNo = r.Int32();
  record.intKind = r.Int16();
  record.intYear = r.Int16();
  record.intMonth = r.Int16();
  record.intDay = r.Int16();
  for (std::size_t h = 1; h <= 24; ++h) record.intValue[h] = r.Int16();
  for (std::size_t k = 1; k <= 10; ++k) record.intTrailer[k] = r.Int16();
  return record;
}

void WriteDvxRecord(platform::BinaryWriter& file, const DvxDayRecord& record) {
  unsigned char bytes[kDvxRecordSize];
  EncodeDvxRecord(record, bytes);
  file.WriteBytes(std::string_view(reinterpret_cast<const char*>(bytes), kDvxRecordSize));
}

void WriteDvsRecord(platform::BinaryWriter& file, const DvsDayRecord& record) {
  unsigned char bytes[kDvsRecordSize];
  EncodeDvsRecord(record, bytes);
  file.WriteBytes(std::string_view(reinterpret_cast<const char*>(bytes), kDvsRecordSize));
}

bool HasDvxValues(const DvxDayRecord& record) { return AnyPresent(record.intValue); }

bool HasDvsValues(const DvsDayRecord& record) { return AnyPresent(record.intValue); }

}  // namespace dorvax
