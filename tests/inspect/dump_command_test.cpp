// dorvax-dump run in-process: values of hand-written and encoded records in
// CSV and JSON, filters, index lines, broken files and bad command lines.
#include <gtest/gtest.h>

#include "inspect_fixtures.h"
#include "support/temp_dir.h"

namespace dorvax::inspect::testing {
namespace {

using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

// Station 500, kind 4, 99-01-01. Hour 1: A 12, B1 8 / B2 12, D 0.5, C -12.3.
// Hour 3: A 0, B1 200 / B2 -3, D 0.0, C -0.5. Every other value missing.
std::string HandWrittenDvx() {
  std::string b = {'\x00', '\x00', '\xF4', '\x01', '\x00', '\x00', '\x04',
                   '\x00', '\x63', '\x00', '\x01', '\x00', '\x01', '\x00'};
  for (int hour = 1; hour <= 24; ++hour) {
    if (hour == 1) {
      PutInt16(b, 12);  // A
      b += "\x08\x0C";  // B = 12 * 256 + 8
      PutInt16(b, 5);   // D
      b += "\x85\xFF";  // C = -123
    } else if (hour == 3) {
      PutInt16(b, 0);
      PutInt16(b, -3 * 256 + 200);
      PutInt16(b, 0);
      PutInt16(b, -5);
    } else {
      b += "\xFF\x7F\xFF\xFF\xFF\x7F\xFF\x7F";  // A, B written as -1, D, C
    }
  }
  return b + DvxTrailerBytes();
}

std::string HandWrittenDvs() {
  std::string b;
  PutInt32(b, 501);
  for (int16_t v : {5, 99, 1, 2}) PutInt16(b, v);
  for (int hour = 1; hour <= 24; ++hour) PutInt16(b, hour == 1 ? 7 : hour == 3 ? -2 : MISSING);
  for (int i = 1; i <= 10; ++i) PutInt16(b, i % 2 ? 32767 : 9);
  return b;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::string MissingHours(int count, int fieldsPerHour) {
  std::string s;
  for (int i = 0; i < count * fieldsPerHour; ++i) s += ',';
  return s;
}

TEST(DumpRecords, HandWrittenDvxBytesAsCsv) {
  ASSERT_EQ(HandWrittenDvx().size(), kDvxRecordSize);
  TempDir dir;
  WriteBytes(dir / "DVX1999.01", HandWrittenDvx());
  RunResult r = Dump({dir / "DVX1999.01"});
  ASSERT_EQ(r.code, 0) << r.err;
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("file,record,station,kind,year,month,day,h01_A,h01_B1,h01_B2,h01_C,h01_D,h02_A,", 0), 0u);
  EXPECT_NE(lines[0].find(",h24_C,h24_D"), std::string::npos);
  std::string expected = dir / "DVX1999.01";
  expected += ",1,500,4,99,1,1,12,8,12,-12.3,0.5" + MissingHours(1, 5) + ",0,200,-3,-0.5,0.0" + MissingHours(21, 5);
  EXPECT_EQ(lines[1], expected);
  EXPECT_TRUE(r.err.empty());
}

TEST(DumpRecords, EncoderWritesTheHandWrittenBytes) {
  DvxDayRecord r = EmptyDvx(500, 4, 99, 1, 1);
  r.intValue[DvxIndex(1, kSlotA)] = 12;
  r.intValue[DvxIndex(1, kSlotB)] = 12 * 256 + 8;
  r.intValue[DvxIndex(1, kSlotD)] = 5;
  r.intValue[DvxIndex(1, kSlotC)] = -123;
  r.intValue[DvxIndex(3, kSlotA)] = 0;
  r.intValue[DvxIndex(3, kSlotB)] = -3 * 256 + 200;
  r.intValue[DvxIndex(3, kSlotD)] = 0;
  r.intValue[DvxIndex(3, kSlotC)] = -5;
  EXPECT_EQ(Bytes(r), HandWrittenDvx());
}

TEST(DumpRecords, DvsCsvAndJson) {
  TempDir dir;
  WriteBytes(dir / "dvs1999.01", HandWrittenDvs());  // lower case is recognised too
  RunResult csv = Dump({dir / "dvs1999.01"});
  ASSERT_EQ(csv.code, 0) << csv.err;
  auto lines = Lines(csv.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("file,record,station,kind,year,month,day,h01_E,h02_E,", 0), 0u);
  EXPECT_EQ(lines[1], dir / "dvs1999.01" + ",1,501,5,99,1,2,7,,-2" + MissingHours(21, 1));

  RunResult json = Dump({"--json", dir / "dvs1999.01"});
  ASSERT_EQ(json.code, 0);
  EXPECT_NE(json.out.find("{\"type\":\"DVS\",\"file\":"), std::string::npos);
  EXPECT_NE(json.out.find("\"record\":1,\"station\":501,\"kind\":5,\"year\":99,\"month\":1,\"day\":2,"
                          "\"hours\":[{\"hour\":1,\"E\":7},{\"hour\":2,\"E\":null},{\"hour\":3,\"E\":-2},"),
            std::string::npos);
  EXPECT_EQ(CountLines(json.out), 1u);
}

TEST(DumpRecords, DvxJsonShowsSplitBDecimalsAndNulls) {
  TempDir dir;
  WriteBytes(dir / "x.bin", HandWrittenDvx());
  RunResult r = Dump({"--type", "dvx", "--json", dir / "x.bin"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(CountLines(r.out), 1u);
  EXPECT_NE(r.out.find("{\"hour\":1,\"A\":12,\"B1\":8,\"B2\":12,\"C\":-12.3,\"D\":0.5}"), std::string::npos);
  EXPECT_NE(r.out.find("{\"hour\":2,\"A\":null,\"B1\":null,\"B2\":null,\"C\":null,\"D\":null}"), std::string::npos);
  EXPECT_NE(r.out.find("{\"hour\":3,\"A\":0,\"B1\":200,\"B2\":-3,\"C\":-0.5,\"D\":0.0}"), std::string::npos);
  EXPECT_NE(r.out.find("{\"hour\":24,"), std::string::npos);
}

class DumpFilters : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string bytes = Bytes(WithValue(500, 1)) + Bytes(WithValue(500, 2)) + Bytes(WithValue(600, 1));
    WriteBytes(path, bytes);
  }
  static DvxDayRecord WithValue(int32_t station, int16_t day) {
    DvxDayRecord r = EmptyDvx(station, 4, 99, 1, day);
    r.intValue[DvxIndex(5, kSlotA)] = static_cast<int16_t>(station + day);
    return r;
  }
  // The record numbers of the data rows.
  std::vector<std::string> Rows(const std::vector<std::string>& args) {
    RunResult r = Dump(args);
    EXPECT_EQ(r.code, 0) << r.err;
    std::vector<std::string> rows;
    auto lines = Lines(r.out);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::string rest = lines[i].substr(path.size() + 1);
      rows.push_back(rest.substr(0, rest.find(',')));
    }
    return rows;
  }
  TempDir dir;
  std::string path = dir / "DVX1999.01";
};

TEST_F(DumpFilters, StationDayAndBoth) {
  EXPECT_EQ(Rows({path}), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Rows({"--station", "500", path}), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Rows({"--day=1", path}), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(Rows({"--station", "600", "--day", "1", path}), (std::vector<std::string>{"3"}));
  EXPECT_TRUE(Rows({"--station", "700", path}).empty());
}

TEST_F(DumpFilters, BadFilterValuesAreRefused) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--station", "abc", path}, {"--day", path}, {"--station"}, {"--type", "xyz", path}, {"--bogus", path}}) {
    RunResult r = Dump(args);
    EXPECT_EQ(r.code, 2) << args[0];
    EXPECT_NE(r.err.find("dorvax-dump: "), std::string::npos);
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(DumpBrokenFiles, TruncatedFilePrintsWholeRecordsThenNamesTheOffset) {
  TempDir dir;
  DvxDayRecord r = EmptyDvx(500, 4, 99, 1, 1);
  WriteBytes(dir / "DVX1999.01", Bytes(r) + Bytes(r) + Bytes(r).substr(0, 100));
  RunResult result = Dump({dir / "DVX1999.01"});
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(CountLines(result.out), 3u);  // header and two records
  EXPECT_NE(result.err.find(dir / "DVX1999.01"), std::string::npos);
  EXPECT_NE(result.err.find("broken tail of 100 bytes at byte offset 512"), std::string::npos);
}

TEST(DumpBrokenFiles, MissingFileUnknownNameAndNoArgumentsExitTwo) {
  TempDir dir;
  WriteBytes(dir / "DVS1999.02", HandWrittenDvs());
  WriteBytes(dir / "notes.txt", "x");
  RunResult missing = Dump({dir / "DVX1999.09", dir / "DVS1999.02"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing.err, "dorvax-dump: " + dir / "DVX1999.09" + ": no such file\n");
  EXPECT_EQ(CountLines(missing.out), 2u);  // the readable file is still dumped

  // What is wrong with the path comes before what is wrong with its name.
  const std::pair<std::string, std::string> cases[] = {
      {dir / "nonexistent", "no such file"},
      {dir / "gone/DVX1999.01", "no such file"},
      {dir / "notes.txt", "cannot tell the kind of file from its name (use --type dvx|dvs|idx|sidx)"},
      {dir.path(), "is a folder, not a file"},
  };
  for (const auto& [path, text] : cases) {
    RunResult r = Dump({path});
    EXPECT_EQ(r.code, 2) << path;
    EXPECT_EQ(r.err, "dorvax-dump: " + path + ": " + text + "\n");
  }
  EXPECT_EQ(Dump({}).code, 2);

  // A missing file outweighs a broken one.
  WriteBytes(dir / "DVX1999.03", std::string(10, '\0'));
  EXPECT_EQ(Dump({dir / "DVX1999.03", dir / "DVX1999.04"}).code, 2);
}

TEST(DumpBrokenFiles, HelpExitsZero) {
  RunResult r = Dump({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("Usage: dorvax-dump"), std::string::npos);
}

// "00500" + "観測ｱ1234" + field 3 .. 11, the last with blanks that CSV keeps.
std::string IndexLineCp932() {
  return std::string("00500") + "\x8A\xCF\x91\xAA\xB1" + "1234" + "ABCDEFGHIJK" + "ABCDEFG" + "01" + "02" + "3" +
         "456" + "78" + "9" + "  12";
}

TEST(DumpIndex, FieldsAtTheirPositionsInUtf8) {
  TempDir dir;
  WriteBytes(dir / "IDX1999.01", IndexLineCp932() + "\r\n" + "00600ABC\r\n");
  RunResult r = Dump({dir / "IDX1999.01"});
  ASSERT_EQ(r.code, 0) << r.err;
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "file,line,field1,field2,field3,field4,field5,field6,field7,field8,field9,field10,field11,rest");
  EXPECT_EQ(lines[1], dir / "IDX1999.01" + ",1,00500,観測ｱ1234,ABCDEFGHIJK,ABCDEFG,01,02,3,456,78,9,\"  12\",");
  EXPECT_EQ(lines[2], dir / "IDX1999.01" + ",2,00600,ABC,,,,,,,,,,");

  RunResult filtered = Dump({"--station", "600", "--json", dir / "IDX1999.01"});
  ASSERT_EQ(filtered.code, 0);
  EXPECT_EQ(CountLines(filtered.out), 1u);
  EXPECT_NE(filtered.out.find("\"type\":\"IDX\""), std::string::npos);
  EXPECT_NE(filtered.out.find("\"line\":2,\"station\":600,\"fields\":[\"00600\",\"ABC\",\"\","), std::string::npos);
}

TEST(DumpIndex, SidxJsonAndLongLines) {
  TempDir dir;
  WriteBytes(dir / "SIDX1999.12", IndexLineCp932() + "XY\r\n");
  RunResult r = Dump({"--json", dir / "SIDX1999.12"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"type\":\"SIDX\""), std::string::npos);
  EXPECT_NE(r.out.find("\"station\":500,\"fields\":[\"00500\",\"観測ｱ1234\",\"ABCDEFGHIJK\""), std::string::npos);
  EXPECT_NE(r.out.find("\"  12\"],\"rest\":\"XY\"}"), std::string::npos);
}

TEST(DumpMixed, HeaderRepeatsWhenTheColumnsChange) {
  TempDir dir;
  WriteBytes(dir / "DVX1999.01", HandWrittenDvx());
  WriteBytes(dir / "DVX1999.02", HandWrittenDvx());
  WriteBytes(dir / "DVS1999.01", HandWrittenDvs());
  RunResult r = Dump({dir / "DVX1999.01", dir / "DVX1999.02", dir / "DVS1999.01"});
  ASSERT_EQ(r.code, 0);
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].rfind("file,record", 0), 0u);
  EXPECT_EQ(lines[3].rfind("file,record", 0), 0u);
  EXPECT_NE(lines[3].find("h01_E"), std::string::npos);
}

}  // namespace
}  // namespace dorvax::inspect::testing
