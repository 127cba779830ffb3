// dorvax-compare run in-process over small old-edition trees: identical
// trees, one changed byte, files and records on one side only, text lines,
// the difference limit, and missing inputs.
#include <gtest/gtest.h>

#include <filesystem>

#include "inspect_fixtures.h"
#include "platform/native_path.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dorvax::inspect::testing {
namespace {

using dorvax::testing::MakeFolders;
using dorvax::testing::ReadBytes;
using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

std::string Rel(const std::string& slashed) {
  std::string out = slashed;
  for (char& c : out)
    if (c == '/') c = platform::kPathSeparator;
  return out;
}

DvxDayRecord DayOf(int32_t station, int16_t day) {
  DvxDayRecord r = EmptyDvx(station, 4, 99, 1, day);
  for (int hour = 1; hour <= 24; ++hour) {
    r.intValue[DvxIndex(hour, kSlotA)] = static_cast<int16_t>(hour);
    r.intValue[DvxIndex(hour, kSlotC)] = 123;
  }
  return r;
}

// A tree of both eras: 3 DVX records, 1 DVS record, 2 index lines, a copied
// station file of 3 lines, a reshaped hourly file of 5 lines and a byte
// file: 15 records in 6 files.
void WriteTree(const std::string& root) {
  MakeFolders(root + Rel("1999/STNIDX/IDX"));
  MakeFolders(root + Rel("200001/area44"));
  WriteBytes(root + Rel("1999/DVX1999.01"), Bytes(DayOf(500, 1)) + Bytes(DayOf(500, 2)) + Bytes(DayOf(600, 1)));
  DvsDayRecord s = EmptyDvs(600, 99, 1, 1);
  s.intValue[4] = 12;
  WriteBytes(root + Rel("1999/DVS1999.01"), Bytes(s));
  WriteBytes(root + Rel("1999/STNIDX/IDX/IDX1999.01"), "00500abc\r\n00600def\r\n");
  WriteBytes(root + Rel("200001/idx200001.csv"), "h1\r\nh2\r\n00500,x\r\n");
  WriteBytes(root + Rel("200001/area44/h44500_200001.csv"),
             "l1\r\nl2\r\nl3\r\nl4\r\n01,01,  1,02,03, 12.3,0.5,///\r\n");
  WriteBytes(root + Rel("readme.bin"), std::string("\x01\x02\x03", 3));
}

class CompareTrees : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTree(a);
    WriteTree(b);
  }
  void ChangeByte(const std::string& relative, std::size_t offset, char value) {
    std::string bytes = ReadBytes(b + Rel(relative));
    bytes[offset] = value;
    WriteBytes(b + Rel(relative), bytes);
  }
  TempDir dir;
  std::string a = dir / "a/";
  std::string b = dir / "b/";
};

TEST_F(CompareTrees, IdenticalTreesExitZero) {
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "0 different records out of 15 in 6 files\n");
  EXPECT_TRUE(r.err.empty());
}

TEST_F(CompareTrees, OneChangedByteNamesFileRecordAndField) {
  // Record 2, hour 7, slot 4 (value C): 14 header bytes, then 2 bytes per slot.
  ChangeByte("1999/DVX1999.01", 256 + 14 + ((7 - 1) * 4 + 4 - 1) * 2, 124);
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, Rel("1999/DVX1999.01") +
                       " record 2 station 500 day 2 hour 7 value C: 12.3 != 12.4\n"
                       "1 different records out of 15 in 6 files\n");
}

// A difference line shows a value as a dump row does: C and D in decimal
// form, B as B1 and B2 (only the part that differs), a missing value as
// null; two marks of a missing B read alike and are shown as stored.
TEST(CompareValues, ShownAsDumpShowsThem) {
  struct Case {
    int slot;
    int16_t left, right;
    std::string lines;  // after "DVX1999.01 record 1 station 500 day 1 "
    std::string json;   // the right-hand value in dorvax-dump --json, "" when not shown
  };
  const Case cases[] = {
      {kSlotC, 40, 61, "hour 3 value C: 4.0 != 6.1\n", "\"C\":6.1"},
      {kSlotD, -5, MISSING, "hour 3 value D: -0.5 != null\n", "\"D\":null"},
      {kSlotA, MISSING, 7, "hour 3 value A: null != 7\n", "\"A\":7"},
      {kSlotB, 11 * 256 + 14, 10 * 256 + 5,
       "hour 3 value B1: 14 != 5\n"
       "hour 3 value B2: 11 != 10\n",
       "\"B1\":5,\"B2\":10"},
      {kSlotB, 11 * 256 + 14, 11 * 256 + 15, "hour 3 value B1: 14 != 15\n", "\"B1\":15,\"B2\":11"},
      {kSlotB, 11 * 256 + 14, MISSING,
       "hour 3 value B1: 14 != null\n"
       "hour 3 value B2: 11 != null\n",
       "\"B1\":null,\"B2\":null"},
      {kSlotB, -1, MISSING, "hour 3 value B (stored): -1 != 32767\n", ""},
  };
  TempDir dir;
  MakeFolders(dir / "a");
  MakeFolders(dir / "b");
  const std::string fileA = dir / Rel("a/DVX1999.01"), fileB = dir / Rel("b/DVX1999.01");
  for (const Case& c : cases) {
    DvxDayRecord left = EmptyDvx(500, 4, 99, 1, 1);
    DvxDayRecord right = left;
    left.intValue[DvxIndex(3, c.slot)] = c.left;
    right.intValue[DvxIndex(3, c.slot)] = c.right;
    // B is written by hand: the encoder writes every missing B as -1.
    std::string a = Bytes(left), b = Bytes(right);
    std::size_t at = 14 + (2 * 4 + c.slot - 1) * 2;
    a[at] = static_cast<char>(c.left & 0xFF), a[at + 1] = static_cast<char>((c.left >> 8) & 0xFF);
    b[at] = static_cast<char>(c.right & 0xFF), b[at + 1] = static_cast<char>((c.right >> 8) & 0xFF);
    WriteBytes(fileA, a);
    WriteBytes(fileB, b);
    RunResult r = Compare({fileA, fileB});
    std::string expected;
    for (std::size_t start = 0, end; (end = c.lines.find('\n', start)) != std::string::npos; start = end + 1)
      expected += "DVX1999.01 record 1 station 500 day 1 " + c.lines.substr(start, end + 1 - start);
    EXPECT_EQ(r.out, expected + "1 different records out of 1 in 1 files\n") << c.lines;
    if (c.json.empty()) continue;
    std::string dumped = Dump({"--json", fileB}).out;
    std::size_t hour = dumped.find("{\"hour\":3,");
    ASSERT_NE(hour, std::string::npos);
    EXPECT_NE(dumped.substr(hour, dumped.find('}', hour) - hour).find(c.json), std::string::npos) << c.json;
  }
}

TEST_F(CompareTrees, HeaderAndTrailerFieldsAreNamed) {
  ChangeByte("1999/DVX1999.01", 6, 1);                       // kind of record 1
  ChangeByte("1999/DVX1999.01", 2 * 256 + 206 + 14 * 2, 0);  // trailer 15 of record 3, FF FF -> 00 FF
  ChangeByte("1999/DVS1999.01", 12 + 3 * 2, 13);             // hour 4 value E
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find(Rel("1999/DVX1999.01") + " record 1 station 500 day 1 kind: 4 != 1\n"), std::string::npos);
  EXPECT_NE(r.out.find(Rel("1999/DVX1999.01") + " record 3 station 600 day 1 trailer 15: -1 != -256\n"),
            std::string::npos);
  EXPECT_NE(r.out.find(Rel("1999/DVS1999.01") + " record 1 station 600 day 1 hour 4 value E: 12 != 13\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("3 different records out of 15 in 6 files\n"), std::string::npos);
}

TEST_F(CompareTrees, FileMissingOnEitherSideIsADifference) {
  std::filesystem::remove(b + Rel("1999/DVS1999.01"));
  std::filesystem::remove(a + Rel("readme.bin"));
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find(Rel("1999/DVS1999.01") + ": only in A\n"), std::string::npos);
  EXPECT_NE(r.out.find("readme.bin: only in B\n"), std::string::npos);
  EXPECT_NE(r.out.find("1 entries only in A, 1 only in B\n"), std::string::npos);
  EXPECT_NE(r.out.find("0 different records out of 13 in 4 files\n"), std::string::npos);
}

TEST_F(CompareTrees, FolderOnOneSideIsNamedWithItsFiles) {
  std::filesystem::remove_all(b + Rel("200001"));
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("200001: folder only in A (2 files)\n"), std::string::npos);
  EXPECT_EQ(r.out.find("h44500"), std::string::npos);
}

TEST_F(CompareTrees, ExtraRecordAndBrokenTail) {
  WriteBytes(b + Rel("1999/DVX1999.01"), ReadBytes(b + Rel("1999/DVX1999.01")) + Bytes(DayOf(700, 9)) + "xyz");
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 1);
  std::string file = Rel("1999/DVX1999.01");
  EXPECT_NE(r.out.find(file + ": record count 3 != 4\n"), std::string::npos);
  EXPECT_NE(r.out.find(file + " record 4 station 700 day 9: only in B\n"), std::string::npos);
  EXPECT_NE(r.out.find(file + ": broken tail: none != 3 bytes at byte offset 1024\n"), std::string::npos);
  EXPECT_NE(r.out.find("2 different records out of 17 in 6 files\n"), std::string::npos);
}

TEST_F(CompareTrees, TextFilesLineByLine) {
  WriteBytes(b + Rel("200001/area44/h44500_200001.csv"),
             "l1\r\nl2\r\nl3\r\nl4\n01,01,  1,02,03, 12.4,0.5,///\r\nextra");
  WriteBytes(b + Rel("1999/STNIDX/IDX/IDX1999.01"), "00500abc\r\n00600\x8A\xCF\r\n");
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 1);
  std::string hourly = Rel("200001/area44/h44500_200001.csv");
  EXPECT_NE(r.out.find(hourly + " line 4: line end \"\\r\\n\" != \"\\n\"\n"), std::string::npos);
  EXPECT_NE(r.out.find(hourly + " line 5: \"01,01,  1,02,03, 12.3,0.5,///\" != \"01,01,  1,02,03, 12.4,0.5,///\"\n"),
            std::string::npos);
  EXPECT_NE(r.out.find(hourly + ": line count 5 != 6\n"), std::string::npos);
  EXPECT_NE(r.out.find(hourly + " line 6: (none) != \"extra\"\n"), std::string::npos);
  EXPECT_NE(r.out.find(Rel("1999/STNIDX/IDX/IDX1999.01") + " line 2: \"00600def\" != \"00600観\"\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("4 different records out of 16 in 6 files\n"), std::string::npos);
}

TEST_F(CompareTrees, ByteFilesAndTheDifferenceLimit) {
  ChangeByte("readme.bin", 1, 9);
  DvxDayRecord changed = DayOf(500, 1);
  for (int hour = 1; hour <= 24; ++hour) changed.intValue[DvxIndex(hour, kSlotA)] = 0;
  std::string dvx = ReadBytes(b + Rel("1999/DVX1999.01"));
  WriteBytes(b + Rel("1999/DVX1999.01"), Bytes(changed) + dvx.substr(256));
  RunResult r = Compare({"--max-diffs", "5", a, b});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("readme.bin: bytes differ from byte offset 1 (sizes 3 and 3)\n"), std::string::npos);
  std::string file = Rel("1999/DVX1999.01");
  EXPECT_NE(r.out.find(file + " record 1 station 500 day 1 hour 5 value A: 5 != 0\n"), std::string::npos);
  EXPECT_EQ(r.out.find(file + " record 1 station 500 day 1 hour 6 value A"), std::string::npos);
  EXPECT_NE(r.out.find(file + ": 19 more difference lines not shown\n"), std::string::npos);
  EXPECT_NE(r.out.find("2 different records out of 15 in 6 files\n"), std::string::npos);
}

TEST_F(CompareTrees, TwoSingleFiles) {
  ChangeByte("1999/DVX1999.01", 14, 2);  // hour 1 value A of record 1
  RunResult r = Compare({a + Rel("1999/DVX1999.01"), b + Rel("1999/DVX1999.01")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out,
            "DVX1999.01 record 1 station 500 day 1 hour 1 value A: 1 != 2\n"
            "1 different records out of 3 in 1 files\n");
  EXPECT_EQ(Compare({a + Rel("1999/DVS1999.01"), b + Rel("1999/DVS1999.01")}).code, 0);
}

TEST_F(CompareTrees, MissingInputExitsTwoWhicheverSide) {
  std::string missing = dir / "nothing";
  RunResult first = Compare({missing, b});
  RunResult second = Compare({a, missing});
  for (const RunResult& r : {first, second}) {
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "dorvax-compare: " + missing + ": no such file or folder\n");
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_EQ(Compare({a}).code, 2);
  EXPECT_EQ(Compare({a, b, a}).code, 2);
  EXPECT_EQ(Compare({"--max-diffs", "-1", a, b}).code, 2);
  RunResult mixed = Compare({a, b + Rel("readme.bin")});
  EXPECT_EQ(mixed.code, 2);
  EXPECT_NE(mixed.err.find("cannot compare the folder"), std::string::npos);
}

#ifndef _WIN32
TEST_F(CompareTrees, UnreadableFileInsideATreeExitsTwo) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  std::string locked = b + Rel("1999/DVS1999.01");
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  RunResult r = Compare({a, b});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "dorvax-compare: " + locked + ": cannot be read: permission denied (error 70)\n");
  EXPECT_NE(r.out.find("in 5 files\n"), std::string::npos);  // the other files are still compared
}
#endif

}  // namespace
}  // namespace dorvax::inspect::testing
