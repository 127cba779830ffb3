// Folder and file names no annual-report disc holds: bytes that are neither
// CP932 nor UTF-8, control characters, full-width digits, overlong names.
// The name rules refuse them with their own boxes (or, in the binary era,
// accept any file name that starts with "a"), the names reach the boxes as
// they were listed, and nothing crashes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;

class HostileNames : public FaultRunTest {
 protected:
  void SetUp() override { WriteSourceTree(source, {199901, 200001}, 3, {11}); }

  // A run that shows exactly the boxes answered.
  RunOutcome Run(FakeWindow& frm, const Answers& answers) {
    RunOutcome outcome = FaultRunTest::Run(frm, answers);
    EXPECT_EQ(frm.boxes.size(), answers.size() + 1) << ::testing::PrintToString(frm.BoxTexts());
    return outcome;
  }

  // A copy of the first hourly file of a month's area under another name.
  void CopyHourlyFileAs(int yyyymm, const std::string& name) {
    fs::copy_file(FilesIn(AreaFolder(source, yyyymm, 11)).at(0), AreaFolder(source, yyyymm, 11) + name);
  }
};

TEST_F(HostileNames, MonthFoldersThatAreNoYearMonth) {
  for (std::string name :
       {std::string("1999\xff\xfe"),
        std::string("\xef\xbc\x91\xef\xbc\x99\xef\xbc\x99\xef\xbc\x99\xef\xbc\x90\xef\xbc\x91"),  // full-width digits
        std::string("19990\n"), std::string(" 1999 01"), std::string(200, '9')}) {
    SCOPED_TRACE(::testing::PrintToString(name));
    TempDir run;
    source = run / "src/";
    target = run / "dst/";
    WriteSourceTree(source, {199901}, 1, {11});
    fs::create_directory(source + "dorvax/hourly/" + name);
    FakeWindow frm;
    RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kBadMonthFolder}, {MsgAnswer::kNo, kOfferDeletion}});
    EXPECT_EQ(outcome.result, StepResult::kBadName);
  }
}

TEST_F(HostileNames, AreaFoldersThatAreNoAreaName) {
  for (std::string name : {std::string("area\x81\x40"), std::string("area1\xff"), std::string("are\xe3\x81\x82"),
                           std::string("area\t1"), std::string("AREA1\x7f")}) {
    SCOPED_TRACE(::testing::PrintToString(name));
    std::string folder = MonthFolder(source, 200001) + name;
    fs::create_directory(folder);
    FakeWindow frm;
    RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kBadAreaFolder}, {MsgAnswer::kNo, kOfferDeletion}});
    EXPECT_EQ(outcome.result, StepResult::kBadName);
    fs::remove(folder);
    fs::remove_all(target);
  }
}

// The binary era tests only the first letter: these files are converted.
TEST_F(HostileNames, BinaryEraFileNamesWithAnyBytesAfterTheA) {
  MakeReference();
  CopyHourlyFileAs(199901, std::string("a\xff\xfe\x81.csv"));
  CopyHourlyFileAs(199901, std::string("A\r\nb"));
  CopyHourlyFileAs(199901, "a" + std::string(250, '\x82'));
  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kFinished}});
  EXPECT_TRUE(outcome.completed);
  // Three stations with complete months: each copy adds a third of the
  // records again.
  EXPECT_EQ(fs::file_size(target + "dorvax/1999/DVX1999.01"), 2 * fs::file_size(reference + "dorvax/1999/DVX1999.01"));
}

// In the text era such names do not fit; the question shows them as listed.
TEST_F(HostileNames, TextEraFileNamesThatDoNotFitAreAskedAbout) {
  std::string odd = std::string("ah11\xff\xfe\x81_200001.csv");
  CopyHourlyFileAs(200001, odd);
  CopyHourlyFileAs(200001, "ah11" + std::string(240, '1') + "_200001.csv");
  FakeWindow frm;
  // Listed in upper-case order, where byte 0xFF comes last.
  RunOutcome outcome = Run(frm, {{MsgAnswer::kYes, "ah11111111"},
                                 {MsgAnswer::kYes, "（エラーファイル名：\\200001\\area11\\" + odd + "）"},
                                 {MsgAnswer::kOk, LeftOut(2)},
                                 {MsgAnswer::kOk, kFinished}});
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(frm.run.lngUnprocessedFiles, 2);
}

TEST_F(HostileNames, DecliningAnOddNameStopsTheRun) {
  std::string odd = std::string("\x81\x40h11101_200001.csv");
  CopyHourlyFileAs(200001, odd);
  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kNo, odd}, {MsgAnswer::kOk, kAborted}, {MsgAnswer::kNo, kOfferDeletion}});
  EXPECT_EQ(outcome.result, StepResult::kBadName);
}

}  // namespace
}  // namespace dorvax::testing
