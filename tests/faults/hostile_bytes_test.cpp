// Contents no annual-report disc holds: bytes that are not CP932 (0x80,
// 0xFF, NUL, a lead byte without its second byte), and hourly files of
// random bytes. Text fields are copied by character position with their
// bytes as they are; numbers that are not numbers stop the run with the
// step's numbered error; nothing crashes and every run ends in a box.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;
using HostileBytes = FaultRunTest;

// Bytes that are no CP932 character count as one character each, and the
// index line takes them by position, as they are.
TEST_F(HostileBytes, StationLinesWithBytesThatAreNoCharacters) {
  WriteSourceTree(source, {199901}, 1, {11});
  std::string line = StationInfoLine(12345, false);
  line[7] = '\xff';
  line[8] = '\x80';
  line[9] = '\0';
  line[20] = '\xa0';
  std::string lastLine = StationInfoLine(23456, false) + "\x82";  // a lead byte and then the line end
  std::string info = ReadBytes(StationFile(source, 199901));
  WriteBytes(StationFile(source, 199901), info + line + "\r\n" + lastLine + "\r\n");

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kFinished}});
  ASSERT_TRUE(outcome.completed) << ::testing::PrintToString(frm.BoxTexts());
  std::string idx = ReadBytes(target + "dorvax/1999/STNIDX/IDX/IDX1999.01");
  // Fields 1 to 4 of the index line: characters 1-5, 7-13, 18-28, 18-24.
  std::string expected = line.substr(0, 5) + line.substr(6, 7) + line.substr(17, 11) + line.substr(17, 7);
  EXPECT_NE(idx.find(expected), std::string::npos) << "the bytes are copied as they are";
  EXPECT_NE(idx.find("23456"), std::string::npos);
  EXPECT_EQ(frm.run.typStation.LastIndex(), 3u);
}

TEST_F(HostileBytes, AStationNumberOfBytesThatAreNoDigits) {
  WriteSourceTree(source, {199901}, 1, {11});
  std::string line = StationInfoLine(0, false);
  line.replace(0, 5,
               std::string("1\0\xff"
                           "23",
                           5));
  std::string info = ReadBytes(StationFile(source, 199901));
  WriteBytes(StationFile(source, 199901), info + line + "\r\n");
  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kStationFileError}, {MsgAnswer::kNo, kOfferDeletion}});
  EXPECT_EQ(outcome.result, StepResult::kStationIndexFailed);
}

// A NUL where a value of a binary-era data line stands is no number.
TEST_F(HostileBytes, ADataLineWithNulBytes) {
  WriteSourceTree(source, {199901}, 1, {11});
  ChangeLine(FilesIn(AreaFolder(source, 199901, 11)).at(0), 4, [](std::string& line) {
    line[8] = '\0';  // inside value A
    line[12] = '0';  // its flag says present
  });
  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kGeneric + "13 : "}, {MsgAnswer::kNo, kOfferDeletion}});
  EXPECT_EQ(outcome.result, StepResult::kStopped);
}

// Hourly files of random bytes in both eras, many line ends among them:
// every run completes or stops in the conversion with its box, and ends idle.
TEST_F(HostileBytes, HourlyFilesOfRandomBytes) {
  WriteSourceTree(source, {199901, 200001}, 2, {11});
  std::vector<std::string> files = FilesIn(AreaFolder(source, 199901, 11));
  for (const std::string& f : FilesIn(AreaFolder(source, 200001, 11))) files.push_back(f);
  std::mt19937 rng(20240611);
  int completed = 0, stopped = 0;
  for (int round = 0; round < 24; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string& victim = files[round % files.size()];
    std::string original = ReadBytes(victim);
    // The original header and some lines, then random bytes: the reader
    // gets past the header often enough to meet the data.
    std::string text = original.substr(0, std::uniform_int_distribution<std::size_t>(0, 600)(rng));
    std::size_t length = std::uniform_int_distribution<std::size_t>(0, 4096)(rng);
    const char alphabet[] = "0123456789 ,/-+.\r\n\r\n\x81\x82\xff\x80";
    for (std::size_t i = 0; i < length; ++i)
      text += rng() % 4 == 0 ? static_cast<char>(rng()) : alphabet[rng() % (sizeof alphabet - 1)];
    WriteBytes(victim, text);
    fs::remove_all(target);

    FakeWindow frm;
    RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, ""}, {MsgAnswer::kNo, kOfferDeletion}});
    if (outcome.completed) {
      ++completed;
      EXPECT_EQ(frm.boxes.size(), 2u);
    } else {
      ++stopped;
      EXPECT_EQ(outcome.result, StepResult::kStopped);
      ASSERT_EQ(frm.boxes.size(), 3u) << ::testing::PrintToString(frm.BoxTexts());
      EXPECT_EQ(frm.boxes[1].box.title, "処理中断");
      EXPECT_EQ(frm.runStateAtBox[1], 3) << "the conversion met it";
    }
    EXPECT_EQ(frm.run.intRunState, 0);
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
    WriteBytes(victim, original);
  }
  std::printf("random files: %d runs completed, %d stopped\n", completed, stopped);
  EXPECT_GT(stopped, 0);
}

}  // namespace
}  // namespace dorvax::testing
