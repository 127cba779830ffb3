// Lines no annual-report disc holds: tens of megabytes without a line end in
// the station information and in the hourly files of both eras, files whose
// lines end in LF only (one endless line to the converter, which ends lines
// at CR), and a station information file of two million lines. None may
// crash or hang; each run ends in its step's numbered error or completes,
// and the memory it takes stays within a small multiple of the input.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "platform/run_error.h"
#include "platform/text_file.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own bookkeeping dominates the memory, and its checks the
// time: memory is not measured and the big file is smaller.
#define DORVAX_UNDER_SANITIZER 1
#else
#define DORVAX_UNDER_SANITIZER 0
#endif

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kHuge = 48 * kMiB;

std::string FirstFile(const std::string& folder) { return FilesIn(folder).at(0); }

// Line `index` of a file followed by megabytes of `filler`.
void Lengthen(const std::string& path, std::size_t index, char filler) {
  ChangeLine(path, index, [filler](std::string& line) { line += std::string(kHuge, filler); });
}

class HostileLines : public FaultRunTest {
 protected:
  // A run measured: the memory it takes on top of what the process held
  // before, and its time.
  RunOutcome Run(FakeWindow& frm, const Answers& answers) {
    std::size_t base = CurrentMemory();
    ResetPeakMemory();
    auto start = std::chrono::steady_clock::now();
    RunOutcome outcome = FaultRunTest::Run(frm, answers);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::size_t peak = PeakMemory();
    growth = peak > base ? peak - base : 0;
    std::printf("run: %.2f s, memory +%zu MiB\n", seconds, growth / kMiB);
    return outcome;
  }

  void ExpectMemoryWithin(std::size_t bound) {
    if (DORVAX_UNDER_SANITIZER || PeakMemory() == 0) return;
    EXPECT_LE(growth, bound) << "the run took " << growth / kMiB << " MiB";
  }

  // The box after the confirmation.
  std::string StopText(const FakeWindow& frm) const { return frm.boxes.size() > 1 ? frm.boxes[1].box.text : ""; }

  // The run completes and writes what it wrote before the source was changed.
  void ExpectTheReferenceWritten(std::size_t memoryBound) {
    FakeWindow frm;
    RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kFinished}});
    EXPECT_TRUE(outcome.completed) << StopText(frm);
    EXPECT_EQ(Snapshot(target), Snapshot(reference));
    ExpectMemoryWithin(memoryBound);
  }

  std::size_t growth = 0;
  double seconds = 0;
};

// A station line followed by megabytes of blanks: only its first 101
// characters count, so the run converts as if the blanks were not there.
TEST_F(HostileLines, AStationLineOfManyMegabytes) {
  WriteSourceTree(source, {199901}, 3);
  MakeReference();
  Lengthen(StationFile(source, 199901), 2, ' ');
  ExpectTheReferenceWritten(3 * kHuge);
}

// A station information file without CR: all of it is one header line, so
// the second header line is missing.
TEST_F(HostileLines, AStationFileWithoutCarriageReturns) {
  WriteSourceTree(source, {199901}, 3);
  std::string info = StationFile(source, 199901);
  std::string lines;
  while (lines.size() < kHuge) lines += StationInfoLine(static_cast<int>(lines.size() % 99999), false) + "\n";
  WriteBytes(info, lines);

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kStationFileError}, {MsgAnswer::kNo, kOfferDeletion}});
  EXPECT_EQ(outcome.result, StepResult::kStationIndexFailed);
  ExpectMemoryWithin(3 * kHuge);
}

// A binary-era data line followed by megabytes of blanks converts like the
// line without them.
TEST_F(HostileLines, ABinaryEraDataLineOfManyMegabytes) {
  WriteSourceTree(source, {199901}, 2, {11});
  MakeReference();
  Lengthen(FirstFile(AreaFolder(source, 199901, 11)), 4, ' ');
  ExpectTheReferenceWritten(4 * kHuge);
}

// A binary-era file that ends in an endless first line: the header is
// missing, which is error 62.
TEST_F(HostileLines, ABinaryEraFileOfOneEndlessLine) {
  WriteSourceTree(source, {199901}, 2, {11});
  WriteBytes(FirstFile(AreaFolder(source, 199901, 11)), std::string(kHuge, 'x'));

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kShortFile}, {MsgAnswer::kNo, kOfferDeletion}});
  EXPECT_EQ(outcome.result, StepResult::kStopped);
  ExpectMemoryWithin(4 * kHuge);
}

// A text-era file whose first line has megabytes: the line is copied as it
// is, so the output has it too.
TEST_F(HostileLines, ATextEraTitleLineOfManyMegabytes) {
  WriteSourceTree(source, {200001}, 2, {11});
  std::string file = FirstFile(AreaFolder(source, 200001, 11));
  std::string title(kHuge, '\x82');  // lead bytes all the way: one broken pair at the end
  ChangeLine(file, 0, [&](std::string& line) { line = title; });

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kFinished}});
  EXPECT_TRUE(outcome.completed) << StopText(frm);
  std::string name = fs::path(file).filename().string().substr(1);
  std::string out = ReadBytes(target + "dorvax/200001/area11/" + name);
  ASSERT_GT(out.size(), kHuge);
  EXPECT_EQ(out.compare(0, kHuge, title), 0);
  // The file is read whole before it is written: the line is held while it
  // is read, kept and written.
  ExpectMemoryWithin(6 * kHuge);
}

// A text-era data line of megabytes is cut to the old edition's columns.
TEST_F(HostileLines, ATextEraDataLineOfManyMegabytes) {
  WriteSourceTree(source, {200001}, 2, {11});
  MakeReference();
  Lengthen(FirstFile(AreaFolder(source, 200001, 11)), 4, ',');
  ExpectTheReferenceWritten(3 * kHuge);
}

// Lines ending in LF only: to the converter the file is one line, too short
// for its header.
TEST_F(HostileLines, ATextEraFileWithLineFeedsOnly) {
  WriteSourceTree(source, {200001}, 2, {11});
  std::string file = FirstFile(AreaFolder(source, 200001, 11));
  std::string text = ReadBytes(file);
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  std::string big;
  while (big.size() < kHuge) big += lf;
  WriteBytes(file, big);

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kShortFile}, {MsgAnswer::kNo, kOfferDeletion}});
  EXPECT_EQ(outcome.result, StepResult::kStopped);
  ExpectMemoryWithin(6 * kHuge);
}

// Two million station lines, every second with value E: the index files
// get every line, the station table every station, and the run stays
// within time and memory.
TEST_F(HostileLines, TwoMillionStations) {
  WriteSourceTree(source, {199901}, 2, {11});
  constexpr int kStations = DORVAX_UNDER_SANITIZER ? 200'000 : 2'000'000;
  {
    std::ofstream out(StationFile(source, 199901), std::ios::binary | std::ios::app);
    std::string block;
    for (int i = 0; i < kStations; ++i) {
      block += StationInfoLine(i % 100000, i % 2 == 1);
      block += "\r\n";
      if (block.size() > kMiB) {
        out << block;
        block.clear();
      }
    }
    out << block;
  }
  std::size_t inputBytes = fs::file_size(StationFile(source, 199901));

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kOk, kFinished}});
  EXPECT_TRUE(outcome.completed) << StopText(frm);
  EXPECT_EQ(frm.run.typStation.LastIndex(), static_cast<std::size_t>(kStations) + 2);
  std::size_t idx = fs::file_size(target + "dorvax/1999/STNIDX/IDX/IDX1999.01");
  std::size_t sidx = fs::file_size(target + "dorvax/1999/STNIDX/IDX/SIDX1999.01");
  EXPECT_GE(idx, static_cast<std::size_t>(kStations) * 47);
  EXPECT_GE(sidx, static_cast<std::size_t>(kStations / 2) * 47);
  if (!DORVAX_UNDER_SANITIZER) {
    EXPECT_LT(seconds, 60.0) << "some 5 s on an idle machine";
  }
  ExpectMemoryWithin(inputBytes);
}

// The reader's bounded lines, across the boundaries of its reads: the kept
// part is the line's start, the rest is passed over, and the line ends are
// found as for whole lines.
TEST(BoundedLines, KeepTheStartAndFindTheNextLine) {
  TempDir tmp;
  std::string path = tmp / "lines.txt";
  std::string longLine(300 * 1024, 'y');
  longLine[0] = 'S';
  // A long line whose CR ends the first read (128 KiB) and whose LF starts the next, a
  // short line, a long last line without an end.
  std::string text = longLine.substr(0, 128 * 1024 - 1) + "\r\nshort\r\n" + longLine + "\r" + "tail" + longLine;
  WriteBytes(path, text);
  platform::TextReader reader(path);
  EXPECT_EQ(reader.ReadLine(4), "Syyy");
  EXPECT_EQ(reader.ReadLine(100), "short");
  EXPECT_EQ(reader.ReadLine(0), "");
  std::string_view last = reader.ReadLine(6);
  EXPECT_EQ(last, "tailSy");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_THROW(reader.ReadLine(1), platform::RunError);
}

TEST(BoundedLines, WholeLinesStillReadWhole) {
  TempDir tmp;
  std::string path = tmp / "lines.txt";
  std::string longLine(200 * 1024, 'z');
  WriteBytes(path, longLine + "\r\n" + "next");
  platform::TextReader reader(path);
  EXPECT_EQ(reader.ReadLine(), longLine);
  EXPECT_EQ(reader.ReadLine(1000), "next");
}

}  // namespace
}  // namespace dorvax::testing
