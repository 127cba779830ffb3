#include "oldtree/station_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/station_info_text.h"
#include "formats/station_line.h"
#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/run_error.h"
#include "support/box_texts.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using namespace testing::texts;
using testing::FakeWindow;
using testing::ReadBytes;
using testing::StationFile;
using testing::StationText;
using testing::TempDir;
using testing::WriteBytes;

std::string IndexLine(const std::string& number, const std::string& elevation) {
  return number + std::string(36, 'x') + elevation;
}

// A month folder 199901 with its station information file, converted into
// an index folder of its own, as the tree step calls it.
class StationIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MakeFolders(tmp / "hourly/199901");
    testing::MakeFolders(tmp / "out/1999/STNIDX/IDX");
    source = tmp / "hourly/199901/idx199901.csv";
    idxBase = tmp / "out/1999/STNIDX/IDX/IDX1999";
    sidxBase = tmp / "out/1999/STNIDX/IDX/SIDX1999";
    frm.SetBusyCursor(true);
  }

  StepResult Convert() {
    StepResult result = StepResult::kGoOn;
    ConvertStationIndex(frm.run, frm, source, idxBase, sidxBase, result);
    return result;
  }

  std::string Idx() const { return ReadBytes(idxBase + ".01"); }
  std::string Sidx() const { return ReadBytes(sidxBase + ".01"); }
  bool SidxExists() const { return platform::FileExists(sidxBase + ".01"); }

  // The one box of a failed conversion and the state it leaves.
  void ExpectFailureBox(const std::string& text, int side) {
    ASSERT_EQ(frm.boxes.size(), 1u);
    EXPECT_TRUE(BoxIs(frm.boxes[0], text, "処理中断", MsgIcon::kCritical));
    EXPECT_FALSE(frm.busy);
    auto box =
        std::find_if(frm.log.begin(), frm.log.end(), [](const std::string& e) { return e.rfind("box[", 0) == 0; });
    auto focus = std::find(frm.log.begin(), frm.log.end(), "FocusFolderBox(" + std::to_string(side) + ")");
    EXPECT_TRUE(box < focus && focus != frm.log.end()) << "the focus returns after the box";
    EXPECT_EQ(platform::OpenFileCount(), openBefore);
  }

  TempDir tmp;
  FakeWindow frm;
  std::string source, idxBase, sidxBase;
  int openBefore = platform::OpenFileCount();
};

TEST_F(StationIndexTest, TakesEveryFieldFromItsCharacterPosition) {
  // Character p of the line is the (p-1)-th of this alphabet, so every output
  // character shows where it came from.
  const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::string line;
  for (int p = 1; p <= 110; ++p) line += alphabet[(p - 1) % alphabet.size()];
  WriteBytes(source, StationFile({line}));

  EXPECT_EQ(Convert(), StepResult::kGoOn);
  EXPECT_EQ(Idx(),
            "01234"
            "6789ABC"
            "HIJKLMNOPQR"
            "HIJKLMN"
            "23"
            "56"
            "8"
            "ABC"
            "EF"
            "H"
            "JKLM"
            "\r\n");
  EXPECT_FALSE(SidxExists());
  ASSERT_EQ(frm.run.typStation.LastIndex(), 1u);
  EXPECT_EQ(frm.run.typStation[1].lngStationNo, 1234);
  EXPECT_TRUE(frm.boxes.empty());
  EXPECT_TRUE(frm.busy);  // the pointer is left alone on success
}

TEST_F(StationIndexTest, FlagsDecideTheIndexFilesKindAndFifthValue) {
  struct Row {
    std::string number, flags;
    std::size_t length;
    bool inIdx, inSidx;
    int16_t kind, snow;
  };
  const std::vector<Row> rows = {
      {"10001", "10000", 101, true, false, 1, -1}, {"10002", "10001", 101, true, true, 1, 5},
      {"10003", "00001", 101, false, true, -1, 5}, {"10004", "11110", 101, true, false, 4, -1},
      {"10005", "00000", 101, true, false, 4, -1}, {"10006", "11001", 101, true, true, 4, 5},
      {"10007", "10001", 92, true, false, 4, -1},
  };
  std::vector<std::string> lines;
  std::string idx, sidx;
  for (const Row& r : rows) {
    lines.push_back(StationText(r.number, r.flags, "0012", r.length));
    if (r.inIdx) idx += IndexLine(r.number, "  12") + "\r\n";
    if (r.inSidx) sidx += IndexLine(r.number, "  12") + "\r\n";
  }
  WriteBytes(source, StationFile(lines));

  EXPECT_EQ(Convert(), StepResult::kGoOn);
  EXPECT_EQ(Idx(), idx);
  EXPECT_EQ(Sidx(), sidx);
  ASSERT_EQ(frm.run.typStation.LastIndex(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const StationInfo& e = frm.run.typStation[i + 1];
    EXPECT_EQ(e.intYear, 99);
    EXPECT_EQ(e.intMonth, 1);
    EXPECT_EQ(e.lngStationNo, 10001 + static_cast<int32_t>(i));
    EXPECT_EQ(e.intKind, rows[i].kind) << rows[i].flags;
    EXPECT_EQ(e.intSnow, rows[i].snow) << rows[i].flags;
  }
}

TEST_F(StationIndexTest, BlanksUpToThreeLeadingZerosOfTheLastField) {
  WriteBytes(source,
             StationFile({StationText("00001", "10000", "0012"), StationText("00002", "10000", "0000"),
                          StationText("00003", "10000", "0100"), StationText("00004", "10000", "1000"),
                          StationText("00005", "10000", "0012", 81), StationText("00006", "10000", "0012", 83)}));
  EXPECT_EQ(Convert(), StepResult::kGoOn);
  EXPECT_EQ(Idx(), IndexLine("00001", "  12") + "\r\n" + IndexLine("00002", "   0") + "\r\n" +
                       IndexLine("00003", " 100") + "\r\n" + IndexLine("00004", "1000") + "\r\n" +
                       IndexLine("00005", "") + "\r\n" + IndexLine("00006", "  ") + "\r\n");
}

TEST_F(StationIndexTest, DoubleByteCharactersCountAsOneAndKeepTheirBytes) {
  // "東京" (CP932) as characters 18 and 19: field 3 keeps its 11 characters,
  // 13 bytes, and every later position still counts characters.
  std::string line = StationText("47662", "10000", "0006");
  const std::string tokyo = "\x93\x8c\x8b\x9e";
  line = line.substr(0, 17) + tokyo + line.substr(19);
  WriteBytes(source, StationFile({line}));

  EXPECT_EQ(Convert(), StepResult::kGoOn);
  const std::string expected = "47662" + std::string(7, 'x') + tokyo + std::string(9, 'x') + tokyo +
                               std::string(5, 'x') + std::string(11, 'x') + "   6";
  EXPECT_EQ(Idx(), expected + "\r\n");
}

TEST_F(StationIndexTest, HeaderOnlyFileGivesAnEmptyIndexAndNoEntries) {
  WriteBytes(source, StationFile({}));
  EXPECT_EQ(Convert(), StepResult::kGoOn);
  EXPECT_TRUE(platform::FileExists(idxBase + ".01"));
  EXPECT_EQ(Idx(), "");
  EXPECT_FALSE(SidxExists());
  EXPECT_EQ(frm.run.typStation.LastIndex(), 0u);
}

TEST_F(StationIndexTest, StationsWithOnlyTheFifthValueGoToTheSnowIndexAlone) {
  WriteBytes(source, StationFile({StationText("20001", "00001"), StationText("20002", "00001")}));
  EXPECT_EQ(Convert(), StepResult::kGoOn);
  EXPECT_TRUE(platform::FileExists(idxBase + ".01")) << "the index file exists, empty";
  EXPECT_EQ(Idx(), "");
  EXPECT_EQ(Sidx(), IndexLine("20001", "  12") + "\r\n" + IndexLine("20002", "  12") + "\r\n");
}

TEST_F(StationIndexTest, ConvertingAgainReplacesBothFiles) {
  WriteBytes(source, StationFile({StationText("30001", "10001"), StationText("30002", "10001")}));
  ASSERT_EQ(Convert(), StepResult::kGoOn);
  WriteBytes(source, StationFile({StationText("30003", "10001")}));
  EXPECT_EQ(Convert(), StepResult::kGoOn);
  EXPECT_EQ(Idx(), IndexLine("30003", "  12") + "\r\n");
  EXPECT_EQ(Sidx(), IndexLine("30003", "  12") + "\r\n");
}

TEST_F(StationIndexTest, FileWithFewerThanTwoLinesIsAFileError) {
  for (const char* content : {"only one header\r\n", ""}) {
    SCOPED_TRACE(content);
    frm.boxes.clear();
    frm.log.clear();
    WriteBytes(source, content);
    EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
    ExpectFailureBox(kStationFileError, 0);
  }
}

TEST_F(StationIndexTest, StationNumberThatIsNoNumberStopsAfterTheEarlierStations) {
  WriteBytes(source, StationFile({StationText("40001", "10000"), StationText("4a002", "10000"),
                                  StationText("40003", "10000")}));
  EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
  ExpectFailureBox(kStationFileError, 0);
  // The station read before the bad line stays in the table; the bad line
  // adds no half-filled entry.
  ASSERT_EQ(frm.run.typStation.LastIndex(), 1u);
  EXPECT_EQ(frm.run.typStation[1].lngStationNo, 40001);
}

TEST_F(StationIndexTest, LinesWrittenBeforeAFailureStayInThePartlyWrittenIndex) {
  // The station with value E only goes to the snow list, which is written
  // after the index and so never comes to be.
  WriteBytes(source, StationFile({StationText("40001", "10000"), StationText("40002", "10001"),
                                  StationText("40003", "00001"), StationText("4a004", "10000")}));
  EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
  ExpectFailureBox(kStationFileError, 0);
  EXPECT_EQ(Idx(), IndexLine("40001", "  12") + "\r\n" + IndexLine("40002", "  12") + "\r\n");
  EXPECT_FALSE(SidxExists());
}

TEST_F(StationIndexTest, EmptyLineAmongTheStationsIsAFileError) {
  WriteBytes(source, StationFile({StationText("40001", "10000"), "", StationText("40003", "10000")}));
  EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
  ExpectFailureBox(kStationFileError, 0);
}

TEST_F(StationIndexTest, MissingFileNamesItByMonthFolderAndFileName) {
  EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
  ExpectFailureBox(StationFileMissing("199901"), 0);
  EXPECT_FALSE(platform::FileExists(idxBase + ".01"));
}

TEST_F(StationIndexTest, FullDiskWhileWritingTheIndexFocusesTheDestination) {
  WriteBytes(source, StationFile({StationText("50001", "10001")}));
  platform::faults::ScopedFault fault({platform::faults::Op::kWrite, 1, 61, "IDX1999.01"});
  EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
  ExpectFailureBox(kDiskFull, 1);
  EXPECT_FALSE(SidxExists());
}

TEST_F(StationIndexTest, FullDiskAsFileSystemStatusWhileWritingTheSnowIndex) {
  WriteBytes(source, StationFile({StationText("50001", "10001")}));
  platform::faults::ScopedFault fault({platform::faults::Op::kWrite, 1, platform::kStatusDiskFull, "SIDX1999.01"});
  EXPECT_EQ(Convert(), StepResult::kStationIndexFailed);
  ExpectFailureBox(kDiskFull, 1);
  EXPECT_EQ(Idx(), IndexLine("50001", "  12") + "\r\n");
}

}  // namespace
}  // namespace dorvax
