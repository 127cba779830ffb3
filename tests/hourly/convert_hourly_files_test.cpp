#include "hourly/convert_hourly_files.h"
#include "formats/hourly_file_names.h"

#include <gtest/gtest.h>

#include "convert_test_tree.h"
#include "formats/day_records.h"
#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/run_error.h"
#include "support/box_texts.h"

namespace dorvax {
namespace {

using namespace testing::texts;
using testing::At;
using testing::DataLine;
using testing::DvxRecords;
using testing::DvxView;
using testing::FakeWindow;
using testing::Hour;
using testing::HourlyFile;
using testing::HourlyTree;
using testing::Int16At;
using testing::Int32At;
using testing::ReadBytes;
using testing::StationHeaderLine;
using testing::WriteBytes;

// One file of station `no` with a value in hour 1 of each given day.
std::string StationFile(int no, const std::string& yyyymm, std::vector<int> days = {1}) {
  std::vector<std::string> lines;
  for (int day : days) lines.push_back(DataLine(At(day, 1)));
  return HourlyFile(no, yyyymm, lines);
}

StepResult ConvertPass(FakeWindow& frm, int16_t pass = 1) {
  StepResult result = StepResult::kGoOn;
  ConvertHourlyFiles(frm.run, frm, pass, result);
  return result;
}

// A source tree for the conversion alone and the window pointed at it.
class ConvertHourlyFilesTest : public ::testing::Test {
 protected:
  HourlyTree tree;
  FakeWindow frm;
};

// ---- File names -------------------------------------------------------------

TEST(CheckStationNumber, CharactersFourToSixReadAsOneToThousand) {
  EXPECT_TRUE(CheckStationNumber("h44001_200405.csv"));
  EXPECT_TRUE(CheckStationNumber("h44999"));
  EXPECT_TRUE(CheckStationNumber("h44 12"));  // blanks are ignored by the reading
  EXPECT_FALSE(CheckStationNumber("h44000"));
  EXPECT_FALSE(CheckStationNumber("h44-01"));
  EXPECT_FALSE(CheckStationNumber("h44abc"));
  EXPECT_FALSE(CheckStationNumber("h44"));       // nothing to read
  EXPECT_TRUE(CheckStationNumber("日本語123"));  // positions count characters, not bytes
}

TEST_F(ConvertHourlyFilesTest, BinaryEraAcceptsAnyNameStartingWithTheLetterA) {
  tree.AddFile("199901", "area11", "a100.csv", StationFile(100, "199901"));
  tree.AddFile("199901", "area11", "Axxx", StationFile(200, "199901"));
  tree.AddFile("199901", "area11", "b300.csv", StationFile(300, "199901"));
  tree.Attach(frm, 3);
  frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kOk);

  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  ASSERT_EQ(frm.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(frm.boxes[0], UnfitName("199901", "area11", "b300.csv"), "確認", MsgIcon::kExclamation,
                    MsgButtons::kYesNo));
  EXPECT_EQ(frm.boxes[0].box.defaultAnswer, MsgAnswer::kYes);
  EXPECT_TRUE(BoxIs(frm.boxes[1], LeftOut(1), "メッセージ", MsgIcon::kExclamation));
  EXPECT_EQ(frm.run.lngUnprocessedFiles, 1);
  EXPECT_EQ(DvxRecords(ReadBytes(tree.Dst("1999/DVX1999.01"))), (std::vector<DvxView>{{100, 4, 1}, {200, 4, 1}}));
}

TEST_F(ConvertHourlyFilesTest, TextEraNameRulesAndTheirBoundaries) {
  const std::string empty = HourlyFile(132, "200405", {});
  for (const char* name : {"ah44132_200405.csv", "Ah44133_200405.csv", "ah44134_200405.csv.bak", "AH44135_200405.csv",
                           "ah44136_200405.CSV", "ah44000_200405.csv", "ah45137_200405.csv", "ah44138_200406.csv",
                           "ah441000_200405.csv", "bh44139_200405.csv"})
    tree.AddFile("200405", "area44", name, empty);
  tree.Attach(frm, 10);
  // The rejected names, in the listing order (upper-case fold).
  const std::vector<std::string> rejected = {"ah44000_200405.csv", "ah441000_200405.csv", "AH44135_200405.csv",
                                             "ah44136_200405.CSV", "ah44138_200406.csv",  "ah45137_200405.csv",
                                             "bh44139_200405.csv"};
  for (std::size_t i = 0; i < rejected.size(); ++i) frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kOk);

  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  std::vector<std::string> expected;
  for (const std::string& name : rejected) expected.push_back(UnfitName("200405", "area44", name));
  expected.push_back(LeftOut(7));
  EXPECT_EQ(frm.BoxTexts(), expected);
  EXPECT_EQ(platform::ListFiles(tree.Dst("200405/area44")),
            (std::vector<std::string>{"h44132_200405.csv", "h44133_200405.csv", "h44134_200405.csv.bak"}));
}

// ---- Declined names -----------------------------------------------------------

TEST_F(ConvertHourlyFilesTest, DecliningAnUnfitNameStopsWithTheMonthFilesClosed) {
  frm.run.typStation.Append({99, 1, 100, 1, 5});
  tree.AddFile("199901", "area11", "a100", StationFile(100, "199901", {1, 2}));
  tree.AddFile("199901", "area11", "b200", StationFile(200, "199901"));
  tree.AddFile("199901", "area11", "c300", StationFile(300, "199901"));
  tree.Attach(frm, 3);
  int openBefore = platform::OpenFileCount();
  frm.Answer(MsgAnswer::kNo, "b200");
  frm.Answer(MsgAnswer::kOk);

  EXPECT_EQ(ConvertPass(frm), StepResult::kBadName);
  ASSERT_EQ(frm.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(frm.boxes[1], kAborted, "処理中断", MsgIcon::kCritical));
  EXPECT_TRUE(frm.Logged("FocusFolderBox(0)"));
  EXPECT_EQ(frm.run.lngUnprocessedFiles, 0);
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  // The records written before the stop are on disk, nothing after it.
  EXPECT_EQ(DvxRecords(ReadBytes(tree.Dst("1999/DVX1999.01"))), (std::vector<DvxView>{{100, 1, 1}, {100, 1, 2}}));
  EXPECT_EQ(ReadBytes(tree.Dst("1999/DVS1999.01")).size(), 2 * kDvsRecordSize);
  EXPECT_NE(frm.statusTexts.back(), kConverted);
}

TEST_F(ConvertHourlyFilesTest, LeftOutFilesOfBothDiscsAreReportedOnceAfterTheLastPass) {
  HourlyTree& disc1 = tree;
  HourlyTree disc2;
  disc1.AddFile("200405", "area44", "xh44001_200405.csv", HourlyFile(1, "200405", {}));
  disc2.AddFile("200406", "area44", "xh44001_200406.csv", HourlyFile(1, "200406", {}));
  disc2.AddFile("200406", "area44", "xh44002_200406.csv", HourlyFile(2, "200406", {}));
  frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kOk);
  frm.SetProgressValue(20);

  disc1.Attach(frm, 1, 2);
  EXPECT_EQ(ConvertPass(frm, 1), StepResult::kGoOn);
  EXPECT_EQ(frm.boxes.size(), 1u);
  EXPECT_EQ(frm.statusTexts, (std::vector<std::string>{"（1枚目のCD-ROMの新版ファイルを旧版ファイルに変換しています）",
                                                       "（1枚目のCD-ROMのファイル変換処理が終了しました）"}));
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 60);

  disc2.Attach(frm, 2, 2);
  EXPECT_EQ(ConvertPass(frm, 2), StepResult::kGoOn);
  ASSERT_EQ(frm.boxes.size(), 4u);
  EXPECT_EQ(frm.boxes[3].box.text, LeftOut(3));
  EXPECT_EQ(frm.statusTexts.back(), "（2枚目のCD-ROMのファイル変換処理が終了しました）");
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
  EXPECT_EQ(frm.run.intRunState, 3);
}

// ---- Record files ---------------------------------------------------------------

TEST_F(ConvertHourlyFilesTest, RecordsFollowAreaThenFileNameOrderAndValueEGoesToDvs) {
  frm.run.typStation.Append({99, 1, 200, -1, 5});
  frm.run.typStation.Append({99, 1, 100, 1, -1});
  tree.AddFile("199901", "area12", "a050", StationFile(50, "199901"));
  tree.AddFile("199901", "area11", "a200", StationFile(200, "199901", {3, 4}));
  tree.AddFile("199901", "area11", "A100", StationFile(100, "199901", {1, 2}));
  tree.Attach(frm, 3);

  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_TRUE(frm.boxes.empty());
  EXPECT_EQ(frm.statusTexts, (std::vector<std::string>{kConverting, kConverted}));
  std::string dvx = ReadBytes(tree.Dst("1999/DVX1999.01"));
  EXPECT_EQ(DvxRecords(dvx), (std::vector<DvxView>{{100, 1, 1}, {100, 1, 2}, {200, -1, 3}, {200, -1, 4}, {50, 4, 1}}));
  // Hour 1 of the first record: A, B (12 * 256 + 8), D, C as read.
  EXPECT_EQ(Int16At(dvx, 14), 123);
  EXPECT_EQ(Int16At(dvx, 16), 3080);
  EXPECT_EQ(Int16At(dvx, 18), 5);
  EXPECT_EQ(Int16At(dvx, 20), -123);
  // Only station 200 has value E: its two days, value 7 in hour 1.
  std::string dvs = ReadBytes(tree.Dst("1999/DVS1999.01"));
  ASSERT_EQ(dvs.size(), 2 * kDvsRecordSize);
  EXPECT_EQ(Int32At(dvs, 0), 200);
  EXPECT_EQ(Int16At(dvs, 4), 5);
  EXPECT_EQ(Int16At(dvs, 10), 3);
  EXPECT_EQ(Int16At(dvs, 12), 7);
  EXPECT_EQ(Int16At(dvs, kDvsRecordSize + 10), 4);
}

TEST_F(ConvertHourlyFilesTest, MonthsWithoutValuesGetNoRecordFiles) {
  frm.run.typStation.Append({99, 2, 300, 1, 5});
  frm.run.typStation.Append({99, 3, 400, 1, 5});
  // 199902: one file without data lines, one with every value missing.
  Hour allMissing = At(1, 1);
  allMissing.flagA = allMissing.flagB1 = allMissing.flagC = allMissing.flagD = allMissing.flagE = 9;
  tree.AddFile("199902", "area11", "a300", HourlyFile(300, "199902", {}));
  tree.AddFile("199902", "area11", "a301", HourlyFile(300, "199902", {DataLine(allMissing)}));
  // 199903: a station with value E whose E is missing in every hour.
  Hour noE = At(1, 1);
  noE.flagE = 9;
  tree.AddFile("199903", "area11", "a400", HourlyFile(400, "199903", {DataLine(noE)}));
  tree.Attach(frm, 3);

  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_FALSE(platform::FileExists(tree.Dst("1999/DVX1999.02")));
  EXPECT_FALSE(platform::FileExists(tree.Dst("1999/DVS1999.02")));
  // The one day with values is written whole: hour 1 as read, every other
  // hour missing (B as -1, the others as 32767).
  const std::string dvx = ReadBytes(tree.Dst("1999/DVX1999.03"));
  ASSERT_EQ(dvx.size(), kDvxRecordSize);
  EXPECT_EQ(Int16At(dvx, 14), 123);
  for (std::size_t hourStart : {std::size_t{22}, std::size_t{14 + 23 * 8}}) {
    EXPECT_EQ(Int16At(dvx, hourStart), 32767);
    EXPECT_EQ(Int16At(dvx, hourStart + 2), -1);
    EXPECT_EQ(Int16At(dvx, hourStart + 4), 32767);
    EXPECT_EQ(Int16At(dvx, hourStart + 6), 32767);
  }
  EXPECT_FALSE(platform::FileExists(tree.Dst("1999/DVS1999.03")));
}

// Entries of different months with the same station number are distinct:
// each month's files find the entry of their own month.
TEST_F(ConvertHourlyFilesTest, EachMonthFindsTheStationEntryOfItsOwnMonth) {
  frm.run.typStation.Append({99, 1, 100, -1, 5});
  frm.run.typStation.Append({99, 2, 100, 1, -1});
  tree.AddFile("199901", "area11", "a100", StationFile(100, "199901", {1}));
  tree.AddFile("199902", "area11", "a100", StationFile(100, "199902", {1}));
  tree.Attach(frm, 2);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_EQ(DvxRecords(ReadBytes(tree.Dst("1999/DVX1999.01"))), (std::vector<DvxView>{{100, -1, 1}}));
  EXPECT_EQ(ReadBytes(tree.Dst("1999/DVS1999.01")).size(), kDvsRecordSize);
  EXPECT_EQ(DvxRecords(ReadBytes(tree.Dst("1999/DVX1999.02"))), (std::vector<DvxView>{{100, 1, 1}}));
  EXPECT_FALSE(platform::FileExists(tree.Dst("1999/DVS1999.02")));
}

TEST_F(ConvertHourlyFilesTest, MonthWithoutAStationOfValueEGetsNoDvsFile) {
  frm.run.typStation.Append({99, 4, 500, 1, -1});
  tree.AddFile("199904", "area11", "a500", StationFile(500, "199904", {1}));
  tree.Attach(frm, 1);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_EQ(ReadBytes(tree.Dst("1999/DVX1999.04")).size(), kDvxRecordSize);
  EXPECT_FALSE(platform::FileExists(tree.Dst("1999/DVS1999.04")));
}

TEST_F(ConvertHourlyFilesTest, AnOlderLongerRecordFileIsEmptiedFirst) {
  tree.AddFile("199901", "area11", "a100", StationFile(100, "199901"));
  tree.Attach(frm, 1);
  WriteBytes(tree.Dst("1999/DVX1999.01"), std::string(5 * kDvxRecordSize + 17, '\xAB'));

  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  std::string dvx = ReadBytes(tree.Dst("1999/DVX1999.01"));
  EXPECT_EQ(dvx.size(), kDvxRecordSize);
  EXPECT_EQ(DvxRecords(dvx), (std::vector<DvxView>{{100, 4, 1}}));
}

TEST_F(ConvertHourlyFilesTest, TextEraFileIsRewrittenLineByLine) {
  Hour missingE = At(1, 1);
  missingE.flagE = 9;
  Hour missingA = At(1, 2);
  missingA.flagA = 9;
  // Line 1 carries CP932 bytes (「時別値」), copied as they are; the last line has no line end.
  std::string input = "\x8E\x9E\x95\xCA\x92\x6C\r\n" + StationHeaderLine(44132, "200405") +
                      "\r\nDD,HH,A,Flag,B1,Flag\r\nd,h,x,,y,,\r\n" + DataLine(missingE) + "\r\n" + DataLine(missingA);
  tree.AddFile("200405", "area44", "ah44132_200405.csv", input);
  tree.Attach(frm, 1);

  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  std::string expected = "\x8E\x9E\x95\xCA\x92\x6C\r\n" + StationHeaderLine(44132, "200405") + "\r\n" + "DD,HH,A,B1" +
                         std::string(88, ' ') + "\r\n" + "d,h,x,y," + std::string(31, ' ') + "\r\n" +
                         "01,01,123,08,12,-12.3,0.5,///\r\n" + "01,02,///,08,12,-12.3,0.5,  7\r\n";
  EXPECT_EQ(ReadBytes(tree.Dst("200405/area44/h44132_200405.csv")), expected);
}

// A month of complete days for station 100 in the layout of `yearMonth`,
// every line followed by `tail` (columns past 43 are never read).
std::string MonthOfLines(const std::string& yyyymm, const std::string& tail) {
  std::vector<std::string> lines;
  for (int day = 1; day <= 31; ++day) {
    for (int hour = 1; hour <= 24; ++hour) {
      Hour h = At(day, hour);
      h.a = day * 10 + hour;
      h.c = hour % 2 ? -hour : day;
      h.flagE = hour % 5 == 0 ? 9 : 0;
      lines.push_back(DataLine(h) + tail);
    }
  }
  return HourlyFile(100, yyyymm, lines);
}

// Output of one file converted alone, by its relative path.
std::string ConvertAlone(const std::string& yearMonth, const std::string& name, const std::string& bytes,
                         const std::string& output) {
  HourlyTree tree;
  FakeWindow frm;
  frm.run.typStation.Append({99, 1, 100, 1, 5});
  tree.AddFile(yearMonth, "area11", name, bytes);
  tree.Attach(frm, 1);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_TRUE(frm.boxes.empty());
  return ReadBytes(tree.Dst(output));
}

TEST_F(ConvertHourlyFilesTest, FilesBeyondAMebibyteConvertAsSmallOnes) {
  // Small files are held whole; one of more than 1 MiB is read line by line.
  const std::string tail = ",remark " + std::string(1500, 'x');
  const std::string small99 = MonthOfLines("199901", ""), large99 = MonthOfLines("199901", tail);
  ASSERT_GT(large99.size(), std::size_t{1} << 20);
  const std::string dvx = ConvertAlone("199901", "a100", small99, "1999/DVX1999.01");
  EXPECT_EQ(dvx.size(), 31 * kDvxRecordSize);
  EXPECT_EQ(ConvertAlone("199901", "a100", large99, "1999/DVX1999.01"), dvx);
  EXPECT_EQ(ConvertAlone("199901", "a100", large99, "1999/DVS1999.01"),
            ConvertAlone("199901", "a100", small99, "1999/DVS1999.01"));

  const std::string text =
      ConvertAlone("200501", "ah11100_200501.csv", MonthOfLines("200501", ""), "200501/area11/h11100_200501.csv");
  std::size_t lineEnds = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lineEnds;
  EXPECT_EQ(lineEnds, 4u + 744u);
  EXPECT_EQ(
      ConvertAlone("200501", "ah11100_200501.csv", MonthOfLines("200501", tail), "200501/area11/h11100_200501.csv"),
      text);
}

// ---- Failures ---------------------------------------------------------------------

TEST_F(ConvertHourlyFilesTest, AFileOfFewerThanFourLinesStopsTheRunWithItsFilesClosed) {
  tree.AddFile("199901", "area11", "a100", StationFile(100, "199901", {1, 2, 3}));
  tree.AddFile("199901", "area11", "a200", "HOURLY DATA\r\n" + StationHeaderLine(200, "199901") + "\r\nDD\r\n");
  tree.AddFile("199901", "area11", "a300", StationFile(300, "199901"));
  tree.Attach(frm, 3);
  int openBefore = platform::OpenFileCount();
  frm.Answer(MsgAnswer::kOk);
  frm.SetBusyCursor(true);

  EXPECT_EQ(ConvertPass(frm), StepResult::kStopped);
  ASSERT_EQ(frm.boxes.size(), 1u);
  EXPECT_TRUE(BoxIs(frm.boxes[0], kShortFile, "処理中断", MsgIcon::kCritical));
  EXPECT_TRUE(frm.focusLog.empty());
  EXPECT_FALSE(frm.busy);
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  // The month file keeps the records of the first file.
  EXPECT_EQ(DvxRecords(ReadBytes(tree.Dst("1999/DVX1999.01"))).size(), 3u);
}

TEST_F(ConvertHourlyFilesTest, ATextEraFileOfThreeLinesIsReportedTheSameWay) {
  tree.AddFile("200405", "area44", "ah44132_200405.csv", "1\r\n2\r\n3\r\n");
  tree.Attach(frm, 1);
  frm.Answer(MsgAnswer::kOk);

  EXPECT_EQ(ConvertPass(frm), StepResult::kStopped);
  EXPECT_EQ(frm.BoxTexts(), (std::vector<std::string>{kShortFile}));
  EXPECT_FALSE(platform::FileExists(tree.Dst("200405/area44/h44132_200405.csv")));
}

TEST_F(ConvertHourlyFilesTest, AFullDiskIsReportedAndTheFocusGoesToTheDestination) {
  for (int32_t number : {int32_t{platform::kErrDiskFull}, platform::kStatusDiskFull}) {
    HourlyTree tree;
    FakeWindow frm;
    tree.AddFile("199901", "area11", "a100", StationFile(100, "199901"));
    tree.Attach(frm, 1);
    int openBefore = platform::OpenFileCount();
    frm.Answer(MsgAnswer::kOk);
    StepResult result = StepResult::kGoOn;
    {
      platform::faults::ScopedFault fault({platform::faults::Op::kWrite, 1, number, "DVX1999.01"});
      ConvertHourlyFiles(frm.run, frm, 1, result);
      EXPECT_TRUE(platform::faults::Fired());
    }
    EXPECT_EQ(result, StepResult::kStopped);
    ASSERT_EQ(frm.boxes.size(), 1u);
    EXPECT_TRUE(BoxIs(frm.boxes[0], kDiskFull, "処理中断", MsgIcon::kCritical));
    EXPECT_TRUE(frm.Logged("FocusFolderBox(1)"));
    EXPECT_EQ(frm.focusLog, (std::vector<std::string>{"txtFolder(1)"}));
    EXPECT_EQ(platform::OpenFileCount(), openBefore);
  }
}

TEST_F(ConvertHourlyFilesTest, AFullDiskWhileWritingATextFileStopsTheRun) {
  tree.AddFile("200405", "area44", "ah44132_200405.csv", HourlyFile(44132, "200405", {DataLine(At(1, 1))}));
  tree.Attach(frm, 1);
  int openBefore = platform::OpenFileCount();
  frm.Answer(MsgAnswer::kOk);
  StepResult result = StepResult::kGoOn;
  {
    platform::faults::ScopedFault fault({platform::faults::Op::kWrite, 1, platform::kErrDiskFull, "h44132"});
    ConvertHourlyFiles(frm.run, frm, 1, result);
  }
  EXPECT_EQ(result, StepResult::kStopped);
  EXPECT_EQ(frm.BoxTexts(), (std::vector<std::string>{kDiskFull}));
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
}

TEST_F(ConvertHourlyFilesTest, OtherFailuresShowTheGenericBoxAndLeaveTheFocus) {
  std::string blankFlag = DataLine(At(1, 1));
  blankFlag[12] = ' ';  // the flag of value A
  tree.AddFile("200405", "area44", "ah44132_200405.csv", HourlyFile(44132, "200405", {blankFlag}));
  tree.Attach(frm, 1);
  frm.Answer(MsgAnswer::kOk);

  EXPECT_EQ(ConvertPass(frm), StepResult::kStopped);
  ASSERT_EQ(frm.boxes.size(), 1u);
  EXPECT_EQ(frm.boxes[0].box.text.rfind(kGeneric + "13 : ", 0), 0u) << frm.boxes[0].box.text;
  EXPECT_EQ(frm.boxes[0].box.title, "処理中断");
  EXPECT_EQ(frm.boxes[0].box.icon, MsgIcon::kCritical);
  EXPECT_TRUE(frm.focusLog.empty());
  // The file is read completely before anything of it is written.
  EXPECT_FALSE(platform::FileExists(tree.Dst("200405/area44/h44132_200405.csv")));
}

TEST_F(ConvertHourlyFilesTest, ClosingTheWindowUnwindsWithEveryFileClosedAndNoFurtherBox) {
  for (int i = 1; i <= 20; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "a%03d", i);
    tree.AddFile("199901", "area11", name, StationFile(i, "199901"));
  }
  tree.Attach(frm, 20);
  frm.SetProgressValue(20);
  frm.CloseDuringRunAt(3);  // at the third milestone, the third file
  frm.Answer(MsgAnswer::kOk, kForcedEnd);
  int openBefore = platform::OpenFileCount();
  StepResult result = StepResult::kGoOn;

  EXPECT_THROW(ConvertHourlyFiles(frm.run, frm, 1, result), RunAborted);
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  EXPECT_EQ(frm.BoxTexts(), (std::vector<std::string>{kForcedEnd}));
  // What was converted before the close stays written.
  EXPECT_EQ(DvxRecords(ReadBytes(tree.Dst("1999/DVX1999.01"))),
            (std::vector<DvxView>{{1, 4, 1}, {2, 4, 1}, {3, 4, 1}}));
}

}  // namespace
}  // namespace dorvax
