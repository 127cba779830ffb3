// The oracle over whole generated trees: its records agree with the values the
// generator says it wrote, disk and model give the same expectation, and the tree
// walk follows the naming and ordering rules.
#include "support/treegen_oracle.h"
#include "tools/treegen_test_support.h"
#include "treegen.h"

#include <map>

namespace {

using namespace treegen_oracle;

int Int16At(const std::string& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[offset]) |
                                   (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

int Int32At(const std::string& bytes, std::size_t offset) {
  return (Int16At(bytes, offset) & 0xFFFF) | (Int16At(bytes, offset + 2) << 16);
}

int Expected(const treegen::Reading& r) { return r.Missing() ? 32767 : r.value; }

treegen::Model CompleteModel(const std::string& tag) {
  treegen::Options o;
  o.root = treegen_test::TempFolder(tag);
  o.months = {199602, 199901, 200503};
  o.stations = 25;
  o.complete = true;
  o.missingValue = 0.02;
  o.valueE = 0.6;
  o.valueEOnly = 0.3;
  o.unlisted = 0.2;
  o.shortInfoLine = 0.1;
  o.seed = 11;
  return treegen::Generate(o);
}

// Walks the expected DVX and DVS files of a complete binary-era month record by
// record, in file order, against the model's decoded values.
void CheckBinaryMonth(const treegen::MonthModel& m, const FileMap& expected) {
  const std::string yyyy = m.folder.substr(0, 4);
  const std::string suffix = yyyy + "." + m.folder.substr(4);
  const std::string& dvx = expected.at(yyyy + "/DVX" + suffix);
  const auto dvsIt = expected.find(yyyy + "/DVS" + suffix);
  const std::string dvs = dvsIt == expected.end() ? std::string() : dvsIt->second;
  std::map<int, treegen::StationRow> rows;
  for (const auto& row : m.stations) rows[row.stationNo] = row;

  std::size_t x = 0, s = 0;
  for (const treegen::HourlyFile& f : m.files) {
    const auto row = rows.find(f.stationNo);
    const int kind = row == rows.end() ? 4 : row->second.kind;
    const bool snow = row != rows.end() && row->second.snow == 5;
    for (std::size_t day = 1; day <= f.lines.size() / 24; ++day, x += 256) {
      ASSERT_LE(x + 256, dvx.size());
      EXPECT_EQ(Int32At(dvx, x + 2), f.stationNo);
      EXPECT_EQ(Int16At(dvx, x + 6), kind);
      EXPECT_EQ(Int16At(dvx, x + 8), f.year % 100);
      EXPECT_EQ(Int16At(dvx, x + 10), f.month);
      EXPECT_EQ(Int16At(dvx, x + 12), static_cast<int>(day));
      for (int hour = 1; hour <= 24; ++hour) {
        const treegen::DataLine& l = f.lines[(day - 1) * 24 + static_cast<std::size_t>(hour) - 1];
        const std::size_t at = x + 14 + static_cast<std::size_t>((hour - 1) * 8);
        EXPECT_EQ(Int16At(dvx, at), Expected(l.a));
        EXPECT_EQ(Int16At(dvx, at + 2), l.b1.Missing() || l.b2.Missing() ? -1 : l.b2.value * 256 + l.b1.value);
        EXPECT_EQ(Int16At(dvx, at + 4), Expected(l.d));
        EXPECT_EQ(Int16At(dvx, at + 6), Expected(l.c));
      }
      if (!snow) continue;
      ASSERT_LE(s + 80, dvs.size());
      EXPECT_EQ(Int32At(dvs, s), f.stationNo);
      EXPECT_EQ(Int16At(dvs, s + 4), 5);
      EXPECT_EQ(Int16At(dvs, s + 10), static_cast<int>(day));
      for (int hour = 1; hour <= 24; ++hour) {
        const treegen::DataLine& l = f.lines[(day - 1) * 24 + static_cast<std::size_t>(hour) - 1];
        EXPECT_EQ(Int16At(dvs, s + 12 + static_cast<std::size_t>((hour - 1) * 2)), Expected(l.e));
      }
      s += 80;
    }
  }
  EXPECT_EQ(x, dvx.size());
  EXPECT_EQ(s, dvs.size());
}

TEST(OracleTree, RecordsOfCompleteMonthsCarryTheGeneratedValues) {
  const treegen::Model model = CompleteModel("t");
  const FileMap expected = ExpectedOldEdition(model);
  bool sawUnlisted = false;
  for (const auto& m : model.months) {
    if (m.yyyymm > 199912) continue;
    CheckBinaryMonth(m, expected);
    for (const auto& f : m.files) sawUnlisted |= !f.listed;
  }
  EXPECT_TRUE(sawUnlisted);
}

TEST(OracleTree, StationIndexAgreesWithTheGeneratorsFlags) {
  const treegen::Model model = CompleteModel("t");
  const FileMap expected = ExpectedOldEdition(model);
  for (const auto& m : model.months) {
    if (m.yyyymm > 199912) continue;
    std::size_t idx = 0, sidx = 0;
    for (const auto& row : m.stations) {
      const StationEntry e = EntryOfInfoLine(row.text);
      EXPECT_EQ(e.kind, row.kind) << row.text;
      EXPECT_EQ(e.snow, row.snow) << row.text;
      idx += row.kind != -1;
      sidx += row.snow == 5;
    }
    const std::string yyyy = m.folder.substr(0, 4);
    const std::string base = yyyy + "/STNIDX/IDX/";
    EXPECT_EQ(SplitLines(expected.at(base + "IDX" + yyyy + "." + m.folder.substr(4))).size(), idx);
    ASSERT_GT(sidx, 0u);
    EXPECT_EQ(SplitLines(expected.at(base + "SIDX" + yyyy + "." + m.folder.substr(4))).size(), sidx);
  }
}

TEST(OracleTree, TextEraFilesAreReshapedAndTheStationInformationCopied) {
  const treegen::Model model = CompleteModel("t");
  const ExpectedTree tree = ExpectOldEdition(SourceFromModel(model));
  const auto& m = model.months.back();
  ASSERT_EQ(m.folder, "200503");
  EXPECT_EQ(tree.files.count("200503/idx200503.csv"), 1u);
  EXPECT_TRUE(tree.folders.count("2005") && tree.folders.count("200503"));
  EXPECT_TRUE(tree.folders.count("1999/STNIDX/IDX") && !tree.folders.count("199901"));
  for (const auto& f : m.files) {
    EXPECT_TRUE(tree.folders.count("200503/" + f.areaFolder));
    const std::vector<std::string> lines =
        SplitLines(tree.files.at("200503/" + f.areaFolder + "/" + f.fileName.substr(1)));
    ASSERT_EQ(lines.size(), f.lines.size() + 4);
    EXPECT_EQ(lines[1], f.header[1]);
    for (std::size_t i = 4; i < lines.size(); ++i) EXPECT_EQ(treegen::Cp932Length(lines[i]), 29u);
  }
  EXPECT_EQ(tree.files.count("2005/DVX2005.03"), 0u);
}

TEST(OracleTree, DiskAndModelGiveTheSameExpectation) {
  treegen::Options o;
  o.root = treegen_test::TempFolder("t");
  o.months = {199812, 200001};
  o.stations = 30;
  o.missingHour = 0.05;
  o.missingDay = 0.05;
  o.earlyEnd = 0.3;
  o.repeatedLine = 0.01;
  o.missingValue = 0.05;
  o.unlisted = 0.1;
  o.shortInfoLine = 0.1;
  const treegen::Model model = treegen::Generate(o);
  const FileMap fromModel = ExpectedOldEdition(model);
  EXPECT_EQ(FirstDifference(fromModel, ExpectedOldEditionFromDisk(model.hourlyRoot)), "");
  EXPECT_GT(fromModel.at("1998/DVX1998.12").size(), 0u);
  EXPECT_EQ(fromModel.at("1998/DVX1998.12").size() % 256, 0u);
}

TEST(OracleTree, NamingRulesDecideWhichFilesAreConverted) {
  treegen::Options o;
  o.root = treegen_test::TempFolder("t");
  o.months = {199901, 200501};
  o.stations = 2;
  o.areas = {44};
  o.complete = true;
  o.valueE = 0;
  SourceTree source = SourceFromModel(treegen::Generate(o));
  SourceMonth& binary = source.months[0];
  SourceMonth& text = source.months[1];
  const SourceFile model = binary.files[0];
  const std::size_t oneFile = ExpectOldEdition(source).files.at("1999/DVX1999.01").size() / 2;

  // Binary era: any name starting with a or A is taken, others are left out.
  for (const char* name : {"Axxx.csv", "b44001_199901.csv"}) {
    SourceFile extra = model;
    extra.fileName = name;
    binary.files.push_back(extra);
  }
  EXPECT_EQ(ExpectOldEdition(source).files.at("1999/DVX1999.01").size(), 3 * oneFile);

  const SourceFile good = text.files[0];
  const std::string number = good.fileName.substr(4, 3);
  text.files.clear();
  for (const std::string& name :
       std::vector<std::string>{"AH44" + number + "_200501.csv", "ah44" + number + "_200501.CSV", "ah44000_200501.csv",
                                "ah45" + number + "_200501.csv", "ah44" + number + "_200501.csv.bak"}) {
    SourceFile f = good;
    f.fileName = name;
    text.files.push_back(f);
  }
  const ExpectedTree tree = ExpectOldEdition(source);
  std::size_t textFiles = 0;
  for (const auto& [path, bytes] : tree.files) textFiles += path.rfind("200501/area44/", 0) == 0;
  EXPECT_EQ(textFiles, 1u);
  EXPECT_EQ(tree.files.count("200501/area44/h44" + number + "_200501.csv.bak"), 1u);

  text.areaFolders.push_back("area95");
  try {
    ExpectOldEdition(source);
    ADD_FAILURE() << "area95 accepted";
  } catch (const ConversionStop& stop) {
    EXPECT_EQ(stop.code, 98);
  }
}

TEST(OracleTree, FirstDifferenceNamesFileAndRecord) {
  const FileMap expected = {{"1999/DVX1999.01", std::string(512, 'a')}, {"1999/STNIDX/IDX/IDX1999.01", ""}};
  FileMap actual = expected;
  EXPECT_EQ(FirstDifference(expected, actual), "");
  actual["1999/DVX1999.01"][300] = 'b';
  EXPECT_NE(FirstDifference(expected, actual).find("record 2, byte 44"), std::string::npos);
  actual = expected;
  actual.erase("1999/STNIDX/IDX/IDX1999.01");
  EXPECT_EQ(FirstDifference(expected, actual), "missing file 1999/STNIDX/IDX/IDX1999.01");
  actual = expected;
  actual["extra"] = "";
  EXPECT_EQ(FirstDifference(expected, actual), "unexpected file extra");
}

}  // namespace
