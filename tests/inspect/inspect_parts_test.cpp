// The parts under both tools: kinds from file names, CP932 decoding, line
// splitting with line ends and the readings of record values.
#include <gtest/gtest.h>

#include <algorithm>

#include "inspect/cp932_decode.h"
#include "inspect/file_kind.h"
#include "inspect/record_fields.h"
#include "inspect/text_lines.h"
#include "inspect/whole_file.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax::inspect {
namespace {

TEST(FileKinds, OldEditionNamesInAnyCase) {
  EXPECT_EQ(KindFromOldName("DVX1999.01"), FileKind::kDvx);
  EXPECT_EQ(KindFromOldName("dvs1998.12"), FileKind::kDvs);
  EXPECT_EQ(KindFromOldName("Idx1976.03"), FileKind::kIdx);
  EXPECT_EQ(KindFromOldName("SIDX1999.01"), FileKind::kSidx);
  for (const char* name : {"DVX1999.1", "DVX1999.011", "DVX199.01", "DVX1999-01", "DVY1999.01", "XIDX1999.01",
                           "DVX19a9.01", "DVX1999.01.bak", ""})
    EXPECT_FALSE(KindFromOldName(name).has_value()) << name;
}

TEST(FileKinds, ComparingKindsByPath) {
  std::string sep = platform::Sep();
  EXPECT_EQ(KindForCompare("1999" + sep + "STNIDX" + sep + "IDX" + sep + "SIDX1999.02"), FileKind::kSidx);
  EXPECT_EQ(KindForCompare("200405" + sep + "area44" + sep + "h44132_200405.csv"), FileKind::kText);
  EXPECT_EQ(KindForCompare("200405" + sep + "area44" + sep + "h44132_200405.csv.bak"), FileKind::kText);
  EXPECT_EQ(KindForCompare("x" + sep + "IDX200001.CSV"), FileKind::kText);
  EXPECT_EQ(KindForCompare("1999" + sep + "notes"), FileKind::kBytes);
  EXPECT_EQ(KindForCompare("199912" + sep + "notes"), FileKind::kBytes);  // a binary-era month name
  EXPECT_EQ(KindForCompare("200000"), FileKind::kBytes);                  // a file, not a folder
  EXPECT_EQ(KindFromOption("SIDX"), FileKind::kSidx);
  EXPECT_FALSE(KindFromOption("dv").has_value());
}

TEST(Cp932Decoding, DoubleByteHalfWidthAndBrokenBytes) {
  EXPECT_EQ(Cp932ToUtf8("\x8A\xCF\x91\xAA\x8F\x8A"), "観測所");
  EXPECT_EQ(Cp932ToUtf8("\xB1\xDF"), "ｱﾟ");
  EXPECT_EQ(Cp932ToUtf8("A\x82\xA0Z"), "AあZ");
  EXPECT_EQ(Cp932ToUtf8("abc"), "abc");
  // A lead byte cut off at the end, and a byte that starts no character.
  EXPECT_EQ(Cp932ToUtf8("ab\x8A"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8(std::string("\xA0", 1) + "x"), "\xEF\xBF\xBDx");
}

TEST(TextLines, EndingsAreKept) {
  auto lines = SplitLines("a\r\nb\nc\rd");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "a");
  EXPECT_EQ(lines[0].ending, "\r\n");
  EXPECT_EQ(lines[1].ending, "\n");
  EXPECT_EQ(lines[2].ending, "\r");
  EXPECT_EQ(lines[3].text, "d");
  EXPECT_EQ(lines[3].ending, "");
  EXPECT_EQ(SplitLines("x\r\n").size(), 1u);
  EXPECT_EQ(SplitLines("\r\n\r\n").size(), 2u);
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(RecordReadings, TenthsAndValueB) {
  EXPECT_EQ(TenthsText(123), "12.3");
  EXPECT_EQ(TenthsText(-5), "-0.5");
  EXPECT_EQ(TenthsText(0), "0.0");
  EXPECT_EQ(TenthsText(-10), "-1.0");
  EXPECT_EQ(TenthsText(-32768), "-3276.8");
  EXPECT_EQ(TenthsText(MISSING), "");
  auto b = SplitValueB(12 * 256 + 8);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->b1, 8);
  EXPECT_EQ(b->b2, 12);
  b = SplitValueB(-128 * 256 + 255);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->b1, 255);
  EXPECT_EQ(b->b2, -128);
  EXPECT_FALSE(SplitValueB(-1).has_value());
  EXPECT_FALSE(SplitValueB(MISSING).has_value());
  EXPECT_FALSE(PresentValue(MISSING).has_value());
  EXPECT_EQ(PresentValue(-1), -1);
}

// The platform describes its errors in Japanese for the window; the tools
// print English whatever the number.
TEST(ReadFailures, TextsAreEnglish) {
  EXPECT_EQ(ReadFailureText(platform::MakeError(platform::kErrPermissionDenied, "/x")),
            "cannot be read: permission denied (error 70)");
  for (int32_t number : {5, 6, 13, 53, 57, 58, 61, 62, 67, 70, 75, 76, 999}) {
    std::string text = ReadFailureText(platform::MakeError(number, "/x"));
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && c < 0x7F; })) << text;
    EXPECT_NE(text.find("(error " + std::to_string(number) + ")"), std::string::npos);
  }
}

TEST(RecordReadings, FieldNamesFollowTheSlotOrder) {
  DvxDayRecord r;
  auto fields = FieldsOf(r);
  ASSERT_EQ(fields.size(), 6u + 96u + 17u + 4u);
  EXPECT_EQ(fields[1].name, "station");
  EXPECT_EQ(fields[6].name, "hour 1 value A");
  EXPECT_EQ(fields[7].name, "hour 1 value B");
  EXPECT_EQ(fields[8].name, "hour 1 value D");
  EXPECT_EQ(fields[9].name, "hour 1 value C");
  EXPECT_EQ(fields[6 + 96 + 14].name, "trailer 15");
  EXPECT_EQ(fields.back().name, "long trailer 4");
  auto dvs = FieldsOf(DvsDayRecord{});
  ASSERT_EQ(dvs.size(), 5u + 24u + 10u);
  EXPECT_EQ(dvs[5 + 23].name, "hour 24 value E");
}

}  // namespace
}  // namespace dorvax::inspect
