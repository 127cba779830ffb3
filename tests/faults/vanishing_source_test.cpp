// A source that changes under a running conversion: a folder or file that
// the checks or the tree step saw disappears, or can no longer be read,
// before the step that reads it. Each case must end with the box of the step
// that meets it, every file closed, and the destination holding exactly what
// a complete run writes, as far as it got. The test moves what it takes
// away aside and puts it back afterwards, so the source can be compared
// byte for byte with its state before the run.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "platform/file_handle.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;

class VanishingSource : public FaultRunTest {
 protected:
  void Write(const std::vector<int>& months, int stations, const std::vector<int>& areas = {11, 44}) {
    WriteSourceTree(source, months, stations, areas);
    MakeReference();
    fs::create_directories(target);
    // The runs that read as an ordinary user write there too.
    fs::permissions(target, fs::perms::all);
    before = Snapshot(source);
    openBefore = platform::OpenFileCount();
  }

  // Moves an entry of the source aside (to put it back with Restore).
  void TakeAway(const std::string& path) {
    std::string p = path;
    if (!p.empty() && p.back() == '/') p.pop_back();
    taken = p;
    fs::rename(taken, tmp / "aside");
  }
  void Restore() {
    if (!taken.empty()) fs::rename(tmp / "aside", taken);
    taken.clear();
  }

  // Runs with the scripted stop box and the deletion offer answered No.
  RunOutcome RunExpecting(FakeWindow& frm, const std::string& stopText) {
    PrepareFolderRun(frm, source, target);
    frm.Answer(MsgAnswer::kOk, stopText);
    frm.Answer(MsgAnswer::kNo, kOfferDeletion);
    return Press(frm, 0);
  }

  // Takes `what()` away at the first event the window gets in run state `state`.
  RunOutcome RunTakingAway(FakeWindow& frm, int16_t state, const std::function<std::string()>& what,
                           const std::string& stopText) {
    frm.onProcessEvents = [this, &frm, state, what] {
      if (frm.run.intRunState == state && taken.empty()) TakeAway(what());
    };
    return RunExpecting(frm, stopText);
  }

  // Reads as an ordinary user, whom a mode of 000 denies reading.
  RunOutcome RunAsOrdinaryUser(FakeWindow& frm, const std::string& stopText) {
    AsOrdinaryUser user;
    return RunExpecting(frm, stopText);
  }

  // What every stop promises, whatever the step.
  void ExpectCleanStop(FakeWindow& frm, const RunOutcome& outcome, int result, const std::string& title) {
    Restore();
    ASSERT_EQ(frm.boxes.size(), 3u) << ::testing::PrintToString(frm.BoxTexts());
    EXPECT_EQ(frm.boxes[1].box.title, title);
    EXPECT_EQ(frm.boxes[2].box.text, kOfferDeletion);
    EXPECT_EQ(ResultNumber(outcome.result), result);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(frm.run.intRunState, 0);
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
    EXPECT_EQ(platform::OpenFileCount(), openBefore);
    EXPECT_EQ(Snapshot(source), before);
    ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
  }

  std::string taken;
  TreeState before;
  int openBefore = 0;
};

// The hourly tree goes after the checks found it: the tree step cannot list
// it, which it reports as a missing disc (path not found). Outside the
// second-disc hand-over the controller does not call it again.
TEST_F(VanishingSource, TheHourlyTreeGoesAfterTheChecks) {
  Write({199901}, 3);
  FakeWindow frm;
  frm.onRepaint = [&](int16_t state) {
    if (state == 2 && taken.empty()) TakeAway(source + "dorvax/hourly");
  };
  RunOutcome outcome = RunExpecting(frm, kNoDisc);
  ExpectCleanStop(frm, outcome, 580, "エラー");
  EXPECT_EQ(frm.boxes[1].box.icon, MsgIcon::kExclamation);
  EXPECT_TRUE(FilesBelow(target + "dorvax").empty());
}

// The station information of the second binary-era month goes while the
// first month is done: the station index conversion names the file.
TEST_F(VanishingSource, TheStationFileOfABinaryMonthGoes) {
  Write({199901, 199902}, 3);
  FakeWindow frm;
  RunOutcome outcome = RunTakingAway(
      frm, 2, [&] { return StationFile(source, 199902); }, StationFileMissing("199902"));
  ExpectCleanStop(frm, outcome, 111, "処理中断");
  EXPECT_EQ(frm.focusLog.back(), "txtFolder(0)");
  EXPECT_TRUE(fs::exists(target + "dorvax/1999/STNIDX/IDX/IDX1999.01"));
  EXPECT_FALSE(fs::exists(target + "dorvax/1999/STNIDX/IDX/IDX1999.02"));
}

// Likewise in the text era, where the file is copied.
TEST_F(VanishingSource, TheStationFileOfATextMonthGoes) {
  Write({200001, 200002}, 3);
  FakeWindow frm;
  RunOutcome outcome = RunTakingAway(
      frm, 2, [&] { return StationFile(source, 200002); }, StationFileMissing("200002"));
  ExpectCleanStop(frm, outcome, 99, "処理中断");
  EXPECT_TRUE(fs::is_directory(target + "dorvax/200002")) << "the month folder is made before the copy";
}

// A station information file that cannot be read (its mode denies it to the
// ordinary user the run reads as): the station index conversion's box for
// any other failure.
TEST_F(VanishingSource, TheStationFileOfABinaryMonthCannotBeRead) {
  Write({199901}, 3);
  fs::permissions(StationFile(source, 199901), fs::perms::none);
  before = Snapshot(source);
  FakeWindow frm;
  RunOutcome outcome = RunAsOrdinaryUser(frm, kStationFileError);
  ExpectCleanStop(frm, outcome, 111, "処理中断");
}

// An area folder that cannot be read when the tree step counts its files:
// the tree step's generic box (error 70) with the focus on the source box.
TEST_F(VanishingSource, AnAreaFolderCannotBeReadWhenCounted) {
  Write({200001}, 4);
  fs::permissions(AreaFolder(source, 200001, 44), fs::perms::none);
  before = Snapshot(source);
  FakeWindow frm;
  RunOutcome outcome = RunAsOrdinaryUser(frm, kGeneric + "70 : ");
  ExpectCleanStop(frm, outcome, 99, "処理中断");
  EXPECT_EQ(frm.focusLog.back(), "txtFolder(0)");
}

class VanishingDuringConversion : public VanishingSource {
 protected:
  // 24 stations in one area: the conversion asks for events after the first
  // files (the progress milestones) and after every tenth.
  void SetUp() override { Write({199901, 200001}, 24, {11}); }
};

// The next file of the area goes after the area was listed: opening it
// fails with "file not found", shown in the conversion's generic box.
TEST_F(VanishingDuringConversion, TheNextHourlyFileGoes) {
  FakeWindow frm;
  std::string gone;
  RunOutcome outcome = RunTakingAway(
      frm, 3,
      [&] {
        // The first event comes after the first files of 199901/area11;
        // the last one of the area is still to come.
        gone = FilesIn(AreaFolder(source, 199901, 11)).back();
        return gone;
      },
      kGeneric + "53 : ");
  ExpectCleanStop(frm, outcome, 99, "処理中断");
  EXPECT_NE(frm.boxes[1].box.text.find(fs::path(gone).filename().string()), std::string::npos)
      << "the description names the file";
}

// The rest of the source goes: the next month cannot be listed.
TEST_F(VanishingDuringConversion, TheNextMonthGoes) {
  FakeWindow frm;
  RunOutcome outcome = RunTakingAway(
      frm, 3, [&] { return MonthFolder(source, 200001); }, kGeneric + "76 : ");
  ExpectCleanStop(frm, outcome, 99, "処理中断");
  EXPECT_TRUE(fs::exists(target + "dorvax/1999/DVX1999.01")) << "the records of the month done stay";
}

// The next hourly file can no longer be read.
TEST_F(VanishingDuringConversion, TheNextHourlyFileCannotBeRead) {
  FakeWindow frm;
  std::string locked;
  frm.onProcessEvents = [&] {
    if (frm.run.intRunState == 3 && locked.empty()) {
      locked = FilesIn(AreaFolder(source, 200001, 11)).at(5);
      AsOrdinaryUser::AsRoot([&] { fs::permissions(locked, fs::perms::none); });
    }
  };
  RunOutcome outcome = RunAsOrdinaryUser(frm, kGeneric + "70 : ");
  ASSERT_FALSE(locked.empty());
  fs::permissions(locked,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
  ExpectCleanStop(frm, outcome, 99, "処理中断");
}

// Files appear in an area still to come after the tree step counted them:
// the walk meets more files than counted. They are converted, and the
// progress bar still ends at exactly its end.
TEST_F(VanishingDuringConversion, FilesAppearAfterTheCount) {
  FakeWindow frm;
  std::vector<std::string> added;
  frm.onProcessEvents = [&] {
    if (frm.run.intRunState != 3 || !added.empty()) return;
    std::string area = AreaFolder(source, 200001, 11);
    std::string first = fs::directory_iterator(area)->path();
    for (int i = 0; i < 30; ++i) {
      std::string name = area + "ah11" + std::to_string(900 + i) + "_200001.csv";
      fs::copy_file(first, name);
      added.push_back(name);
    }
  };
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kOk, kFinished);
  RunOutcome outcome = Press(frm, 0);
  ASSERT_EQ(added.size(), 30u);
  EXPECT_TRUE(outcome.completed) << ::testing::PrintToString(frm.BoxTexts());
  EXPECT_EQ(FilesBelow(target + "dorvax/200001/area11").size(), 24u + 30u);
  ASSERT_FALSE(frm.progressValues.empty());
  EXPECT_LE(*std::max_element(frm.progressValues.begin(), frm.progressValues.end()), 100.0f);
  auto beforeHide = std::find(frm.log.rbegin(), frm.log.rend(), "progress:100");
  EXPECT_NE(beforeHide, frm.log.rend()) << "the bar reached its end";
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  for (const std::string& name : added) fs::remove(name);
  EXPECT_EQ(Snapshot(source), before);
}

}  // namespace
}  // namespace dorvax::testing
