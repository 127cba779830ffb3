#include "formats/day_records.h"

#include <algorithm>
#include <bit>
#include <concepts>
#include <cstring>
#include <type_traits>

#include "platform/binary_file.h"

namespace dorvax {

namespace {

// The values of a DVX record, whose missing value B has a mark of its own
// in the written bytes.
template <typename Values>
struct DvxValues {
  Values& values;
};
template <typename Values>
DvxValues(Values&) -> DvxValues<Values>;

// The fields of each record in their written order: the one list that
// encoding and decoding walk. `Record` is const when a record is encoded.
// Both records hold the station and the day alike.
template <typename Record, typename Fields>
constexpr void StationDayFields(Record& r, Fields& f) {
  f(r.lngStationNo);
  f(r.intKind);
  f(r.intYear);
  f(r.intMonth);
  f(r.intDay);
}

template <typename Record, typename Fields>
constexpr void DvxFields(Record& r, Fields& f) {
  f(r.intLead);
  StationDayFields(r, f);
  f(DvxValues{r.intValue});
  f(r.intTrailer);
  f(r.lngTrailer);
}

template <typename Record, typename Fields>
constexpr void DvsFields(Record& r, Fields& f) {
  StationDayFields(r, f);
  f(r.intValue);
  f(r.intTrailer);
}

// Value B (slot 2 of every hour) is written as -1 when missing; the old
// edition's readers expect that mark for it.
constexpr unsigned char kMissingValueBByte = 0xFF;

// Writes the fields it is handed as little-endian two's-complement
// integers, one after the other. An array is written from element 1
// (element 0 is never used).
class RecordWriter {
 public:
  explicit RecordWriter(unsigned char* out) : out_(out) {}
  // On a little-endian machine a field and an array already hold their
  // written bytes.
  template <std::integral T>
  void operator()(T value) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(out_ + at_, &value, sizeof value);
    } else {
      auto v = static_cast<std::make_unsigned_t<T>>(value);
      for (std::size_t i = 0; i < sizeof value; ++i) out_[at_ + i] = static_cast<unsigned char>(v >> (8 * i) & 0xFF);
    }
    at_ += sizeof value;
  }
  template <typename T, std::size_t N>
  void operator()(const std::array<T, N>& values) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(out_ + at_, values.data() + 1, (N - 1) * sizeof(T));
      at_ += (N - 1) * sizeof(T);
    } else {
      for (std::size_t k = 1; k < N; ++k) (*this)(values[k]);
    }
  }
  template <typename Values>
  void operator()(DvxValues<Values> dvx) {
    unsigned char* values = out_ + at_;
    (*this)(dvx.values);
    for (std::size_t k = kSlotB; k < dvx.values.size(); k += 4) {
      if (dvx.values[k] == MISSING) values[(k - 1) * 2] = values[(k - 1) * 2 + 1] = kMissingValueBByte;
    }
  }

 private:
  unsigned char* out_;
  std::size_t at_ = 0;
};

// Reads the fields it is handed back from their bytes (a value B written
// as -1 reads as -1).
class RecordReader {
 public:
  explicit RecordReader(const unsigned char* in) : in_(in) {}
  template <std::integral T>
  void operator()(T& value) {
    uint32_t v = 0;
    for (std::size_t i = 0; i < sizeof value; ++i) v |= uint32_t{in_[at_ + i]} << (8 * i);
    value = static_cast<T>(v);
    at_ += sizeof value;
  }
  template <typename T, std::size_t N>
  void operator()(std::array<T, N>& values) {
    for (std::size_t k = 1; k < N; ++k) (*this)(values[k]);
  }
  template <typename Values>
  void operator()(DvxValues<Values> dvx) {
    (*this)(dvx.values);
  }

 private:
  const unsigned char* in_;
  std::size_t at_ = 0;
};

// The bytes the field lists add up to.
struct FieldBytes {
  std::size_t bytes = 0;
  template <std::integral T>
  constexpr void operator()(T) {
    bytes += sizeof(T);
  }
  template <typename T, std::size_t N>
  constexpr void operator()(const std::array<T, N>&) {
    bytes += (N - 1) * sizeof(T);
  }
  template <typename Values>
  constexpr void operator()(DvxValues<Values> dvx) {
    (*this)(dvx.values);
  }
};
template <typename Record>
constexpr std::size_t RecordBytes(void (*fields)(const Record&, FieldBytes&)) {
  FieldBytes counter;
  fields(Record{}, counter);
  return counter.bytes;
}
static_assert(RecordBytes<DvxDayRecord>(DvxFields<const DvxDayRecord, FieldBytes>) == kDvxRecordSize);
static_assert(RecordBytes<DvsDayRecord>(DvsFields<const DvsDayRecord, FieldBytes>) == kDvsRecordSize);

template <std::size_t N>
bool AnyPresent(const std::array<int16_t, N>& values) {
  return std::any_of(values.begin() + 1, values.end(), [](int16_t v) { return v != MISSING; });
}

}  // namespace

void EncodeDvxRecord(const DvxDayRecord& record, unsigned char out[kDvxRecordSize]) {
  RecordWriter writer(out);
  DvxFields(record, writer);
}

void EncodeDvsRecord(const DvsDayRecord& record, unsigned char out[kDvsRecordSize]) {
  RecordWriter writer(out);
  DvsFields(record, writer);
}

DvxDayRecord DecodeDvxRecord(const unsigned char in[kDvxRecordSize]) {
  DvxDayRecord record;
  RecordReader reader(in);
  DvxFields(record, reader);
  return record;
}

DvsDayRecord DecodeDvsRecord(const unsigned char in[kDvsRecordSize]) {
  DvsDayRecord record;
  RecordReader reader(in);
  DvsFields(record, reader);
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
