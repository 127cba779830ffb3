#include "formats/day_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hourly/day_builder.h"
#include "platform/binary_file.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using Bytes = std::vector<unsigned char>;

DvxDayRecord Station500Day1() {
  DvxDayRecord r;
  r.lngStationNo = 500;
  r.intKind = 4;
  r.intYear = 99;
  r.intMonth = 1;
  r.intDay = 1;
  for (int k = 1; k <= 96; ++k) r.intValue[k] = MISSING;
  InitDvxTrailer(r);
  return r;
}

Bytes Encoded(const DvxDayRecord& r) {
  Bytes out(kDvxRecordSize);
  EncodeDvxRecord(r, out.data());
  return out;
}

Bytes Encoded(const DvsDayRecord& r) {
  Bytes out(kDvsRecordSize);
  EncodeDvsRecord(r, out.data());
  return out;
}

Bytes Slice(const Bytes& b, std::size_t offset, std::size_t size) {
  return Bytes(b.begin() + offset, b.begin() + offset + size);
}

TEST(DvxRecordBytes, HeaderAndTrailerOfStation500Day1) {
  Bytes b = Encoded(Station500Day1());
  ASSERT_EQ(b.size(), 256u);
  EXPECT_EQ(Slice(b, 0, 14),
            (Bytes{0x00, 0x00, 0xF4, 0x01, 0x00, 0x00, 0x04, 0x00, 0x63, 0x00, 0x01, 0x00, 0x01, 0x00}));
  // Trailer at 206: 32767, 9, 32767, 0, ...
  EXPECT_EQ(Slice(b, 206, 8), (Bytes{0xFF, 0x7F, 0x09, 0x00, 0xFF, 0x7F, 0x00, 0x00}));
  // intTrailer(15) is -1, intTrailer(16) 32767, intTrailer(17) 9.
  EXPECT_EQ(Slice(b, 206 + 14 * 2, 6), (Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0x09, 0x00}));
  // lngTrailer(1..4) are zero.
  EXPECT_EQ(Slice(b, 240, 16), Bytes(16, 0x00));
}

TEST(DvxRecordBytes, NegativeKindAndLargeStationNumber) {
  DvxDayRecord r = Station500Day1();
  r.intKind = -1;
  r.lngStationNo = 0x01020304;
  Bytes b = Encoded(r);
  EXPECT_EQ(Slice(b, 2, 6), (Bytes{0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF}));
}

TEST(DvxRecordBytes, MissingValueBIsWrittenAsMinusOneOthersAsMissing) {
  DvxDayRecord r = Station500Day1();
  r.intValue[DvxIndex(1, kSlotA)] = 123;  // A present, B missing
  r.intValue[DvxIndex(1, kSlotD)] = -5;
  r.intValue[DvxIndex(2, kSlotB)] = 3080;  // B present, A missing
  r.intValue[DvxIndex(24, kSlotC)] = -123;
  Bytes b = Encoded(r);
  auto value = [&](int h, int slot) { return Slice(b, 14 + (DvxIndex(h, slot) - 1) * 2, 2); };
  EXPECT_EQ(value(1, kSlotA), (Bytes{0x7B, 0x00}));
  EXPECT_EQ(value(1, kSlotB), (Bytes{0xFF, 0xFF}));
  EXPECT_EQ(value(1, kSlotD), (Bytes{0xFB, 0xFF}));
  EXPECT_EQ(value(1, kSlotC), (Bytes{0xFF, 0x7F}));
  EXPECT_EQ(value(2, kSlotA), (Bytes{0xFF, 0x7F}));
  EXPECT_EQ(value(2, kSlotB), (Bytes{0x08, 0x0C}));
  EXPECT_EQ(value(24, kSlotB), (Bytes{0xFF, 0xFF}));
  EXPECT_EQ(value(24, kSlotC), (Bytes{0x85, 0xFF}));
  // The last value sits right before the trailer.
  EXPECT_EQ(Slice(b, 204, 2), (Bytes{0x85, 0xFF}));
}

TEST(DvxRecordBytes, DecodeIsTheInverseExceptMissingB) {
  DvxDayRecord r = Station500Day1();
  for (int k = 1; k <= 96; ++k) r.intValue[k] = static_cast<int16_t>(k * 311 - 9000);
  r.intValue[DvxIndex(3, kSlotB)] = MISSING;
  r.lngTrailer[2] = -7;
  Bytes b = Encoded(r);
  DvxDayRecord back = DecodeDvxRecord(b.data());
  EXPECT_EQ(back.lngStationNo, 500);
  EXPECT_EQ(back.intDay, 1);
  EXPECT_EQ(back.intValue[DvxIndex(3, kSlotB)], -1);
  back.intValue[DvxIndex(3, kSlotB)] = MISSING;
  EXPECT_EQ(back.intValue, r.intValue);
  EXPECT_EQ(back.intTrailer, r.intTrailer);
  EXPECT_EQ(back.lngTrailer, r.lngTrailer);
  EXPECT_EQ(Encoded(DecodeDvxRecord(b.data())), b);
}

TEST(DvsRecordBytes, LayoutAndRoundTrip) {
  DvsDayRecord r;
  r.lngStationNo = 500;
  r.intKind = 5;
  r.intYear = 99;
  r.intMonth = 2;
  r.intDay = 28;
  for (int h = 1; h <= 24; ++h) r.intValue[h] = MISSING;
  r.intValue[1] = 40;
  InitDvsTrailer(r);
  Bytes b = Encoded(r);
  ASSERT_EQ(b.size(), 80u);
  EXPECT_EQ(Slice(b, 0, 14),
            (Bytes{0xF4, 0x01, 0x00, 0x00, 0x05, 0x00, 0x63, 0x00, 0x02, 0x00, 0x1C, 0x00, 0x28, 0x00}));
  EXPECT_EQ(Slice(b, 14, 2), (Bytes{0xFF, 0x7F}));  // value E missing stays MISSING
  EXPECT_EQ(Slice(b, 60, 20), (Bytes{0xFF, 0x7F, 0x09, 0x00, 0xFF, 0x7F, 0x09, 0x00, 0xFF, 0x7F,
                                     0x09, 0x00, 0xFF, 0x7F, 0x09, 0x00, 0xFF, 0x7F, 0x09, 0x00}));
  DvsDayRecord back = DecodeDvsRecord(b.data());
  EXPECT_EQ(back.intValue, r.intValue);
  EXPECT_EQ(back.intTrailer, r.intTrailer);
  EXPECT_EQ(back.intDay, 28);
}

TEST(DayRecordValues, AllMissingRecordsHoldNoValues) {
  DvxDayRecord dvx = Station500Day1();
  EXPECT_FALSE(HasDvxValues(dvx));
  dvx.intValue[96] = 0;
  EXPECT_TRUE(HasDvxValues(dvx));
  // Unstepped hours keep 0, which counts as a value.
  EXPECT_TRUE(HasDvxValues(DvxDayRecord{}));

  DvsDayRecord dvs;
  for (int h = 1; h <= 24; ++h) dvs.intValue[h] = MISSING;
  EXPECT_FALSE(HasDvsValues(dvs));
  dvs.intValue[24] = -3;
  EXPECT_TRUE(HasDvsValues(dvs));
}

TEST(DayRecordFile, RecordsFollowOneAnotherWithoutGaps) {
  testing::TempDir dir;
  std::string path = dir / "DVX1999.01";
  DvxDayRecord first = Station500Day1();
  DvxDayRecord second = first;
  second.intDay = 2;
  second.intValue[5] = 77;
  DvsDayRecord snow;
  snow.intDay = 3;
  {
    platform::BinaryWriter file;
    file.Open(path);
    WriteDvxRecord(file, first);
    WriteDvxRecord(file, second);
    file.Close();
  }
  std::string bytes = testing::ReadBytes(path);
  ASSERT_EQ(bytes.size(), 512u);
  Bytes expected = Encoded(first);
  Bytes more = Encoded(second);
  expected.insert(expected.end(), more.begin(), more.end());
  EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), expected);

  std::string dvsPath = dir / "DVS1999.01";
  {
    platform::BinaryWriter file;
    file.Open(dvsPath);
    WriteDvsRecord(file, snow);
    file.Close();
  }
  std::string dvsBytes = testing::ReadBytes(dvsPath);
  EXPECT_EQ(Bytes(dvsBytes.begin(), dvsBytes.end()), Encoded(snow));
}

}  // namespace
}  // namespace dorvax
