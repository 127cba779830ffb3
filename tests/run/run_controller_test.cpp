#include "run/run_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "support/box_texts.h"
#include "support/fake_window.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

namespace fs = std::filesystem;
using namespace testing::texts;
using platform::DriveType;
using platform::faults::Op;
using platform::faults::Plan;
using platform::faults::ScopedFault;
using testing::FakeWindow;
using testing::MakeFolders;
using testing::ReadBytes;
using testing::Snapshot;
using testing::SourceTree;
using testing::Station;
using testing::TempDir;
using testing::WriteBytes;

const std::string S = platform::Sep();

// 1999/01: two stations, the second with value E; 2005/01: one station.
const std::vector<Station> kStations = {{101, 11, "10000", 2}, {202, 12, "10001", 3}};
const std::vector<Station> kTextStations = {{303, 44, "10000", 1}};

// The status line fails once it is given the conversion's text: a failure
// raised where no step handles it, which reaches the controller.
void FailAtConversionStatus(FakeWindow& w, int32_t number) {
  w.onStatus = [number](const std::string& text) {
    if (text == kConverting) throw platform::MakeError(number);
  };
}

// The window is idle again: the state every run ends in.
void ExpectIdleWindow(FakeWindow& w) {
  EXPECT_EQ(w.run.intRunState, 0);
  EXPECT_FALSE(w.IsVisible(Control::ProgressBar1));
  EXPECT_EQ(w.Text(Control::lblMes), "");
  for (Control c : {Control::optNew0, Control::optNew1, Control::cmdNew1, Control::txtFolder1, Control::cmdOld0,
                    Control::cmdOld1, Control::cmdMain0, Control::cmdMain1})
    EXPECT_TRUE(w.IsEnabled(c)) << ControlName(c);
  // The controls of the chosen source kind.
  bool cdRom = w.run.intSourceKind == 2;
  EXPECT_EQ(w.IsEnabled(Control::drvNew), cdRom);
  EXPECT_EQ(w.IsEnabled(Control::txtFolder0), !cdRom);
  EXPECT_EQ(w.IsEnabled(Control::cmdNew0), !cdRom);
  EXPECT_FALSE(w.busy);
  EXPECT_EQ(w.unexpectedBoxes, 0);
  EXPECT_EQ(platform::OpenFileCount(), 0);
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolders(destination);
    w.ChooseFolders(source, destination);
  }

  void WriteSource() { tree.Month("199901", kStations).Month("200501", kTextStations); }

  std::string Output() const { return destination + "dorvax" + S; }

  TempDir tmp;
  FakeWindow w;
  std::string source = tmp / "src/", destination = tmp / "dst/";
  SourceTree tree{source};
};

TEST_F(RunTest, FolderRunGoesFromConfirmationToCompletionNotice) {
  WriteSource();
  auto before = Snapshot(source);
  w.run.lngUnprocessedFiles = 5;
  w.run.indexFilesWritten["stale"] = 1;
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);

  ASSERT_EQ(w.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(w.boxes[0], kConfirmRun, "確認", MsgIcon::kQuestion, MsgButtons::kYesNo));
  EXPECT_EQ(w.boxes[0].box.defaultAnswer, MsgAnswer::kYes);
  EXPECT_TRUE(BoxIs(w.boxes[1], kFinished, "変換終了", MsgIcon::kInformation));

  EXPECT_EQ(w.statusTexts, (std::vector<std::string>{kChecking, kBuildingTree, kConverting, kConverted, ""}));
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  EXPECT_TRUE(std::is_sorted(w.progressValues.begin(), w.progressValues.end()));
  ASSERT_FALSE(w.focusLog.empty());
  EXPECT_EQ(w.focusLog.back(), "cmdMain(1)");
  EXPECT_EQ(w.run.lngUnprocessedFiles, 0);
  EXPECT_EQ(w.run.indexFilesWritten.count("stale"), 0u);
  ExpectIdleWindow(w);

  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVS1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(Snapshot(source), before);
}

TEST_F(RunTest, NoAtTheConfirmationChangesNothing) {
  WriteSource();
  w.run.lngUnprocessedFiles = 7;
  w.run.indexFilesWritten["kept"] = 2;
  w.run.stats.filesConverted = 9;
  w.Answer(MsgAnswer::kNo, kConfirmRun);
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 1u);
  EXPECT_EQ(w.run.lngUnprocessedFiles, 7);
  EXPECT_EQ(w.run.indexFilesWritten.count("kept"), 1u);
  EXPECT_EQ(w.run.stats.filesConverted, 9);
  EXPECT_EQ(w.log.size(), 1u);  // the box and nothing else
  EXPECT_FALSE(platform::FolderExists(Output()));
}

TEST_F(RunTest, RefusedCheckEndsTheRunWithoutDeletionOffer) {
  MakeFolders(source);  // no dorvax/hourly in it
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, "\\dorvax\\hourly");
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 2u);
  ExpectIdleWindow(w);
  EXPECT_FALSE(platform::FolderExists(Output()));
}

// Every refused check ends the run the same way: no pass runs, no deletion
// is offered, and the window is idle again.
TEST(RunRefusals, EveryRefusedCheckEndsTheRunWithoutDeletionOffer) {
  struct Case {
    const char* name;
    std::function<void(FakeWindow&, const std::string&, const std::string&)> prepare;
    std::vector<std::string> boxes;  // after the confirmation
    std::vector<MsgAnswer> answers;
    int result;
  };
  std::vector<Case> cases = {
      {"no hourly tree",
       [](FakeWindow&, const std::string& src, const std::string&) { MakeFolders(src); },
       {kNoHourlyTree},
       {MsgAnswer::kOk},
       10},
      {"existing tree kept",
       [](FakeWindow&, const std::string& src, const std::string& dst) {
         SourceTree(src).Month("199901", kStations);
         MakeFolders(dst + "dorvax");
         WriteBytes(dst + "dorvax" + S + "mine.txt", "kept");
       },
       {kDeleteOldTree, kAborted},
       {MsgAnswer::kNo, MsgAnswer::kOk},
       11},
      {"same folder",
       [](FakeWindow& w, const std::string& src, const std::string&) {
         SourceTree(src).Month("199901", kStations);
         w.SetFolder(1, src);
       },
       {kSameFolder},
       {MsgAnswer::kOk},
       2},
  };
#ifndef _WIN32  // fake drives are rooted at folders, which a Windows drive list cannot show
  cases.push_back({"no CD-ROM drive",
                   [](FakeWindow& w, const std::string& src, const std::string&) {
                     SourceTree(src).Month("199901", kStations);
                     w.ChooseDrive(src, DriveType::kFixed);
                   },
                   {kNotCdRom},
                   {MsgAnswer::kOk},
                   10});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    FakeWindow w;
    const std::string src = dir / "src/", dst = dir / "dst/";
    MakeFolders(dst);
    w.ChooseFolders(src, dst);
    c.prepare(w, src, dst);
    const auto before = Snapshot(dst);
    w.Answer(MsgAnswer::kYes, kConfirmRun);
    for (std::size_t i = 0; i < c.boxes.size(); ++i) w.Answer(c.answers[i], c.boxes[i]);
    w.Answer(MsgAnswer::kYes, kOfferDeletion);  // taken if the offer came, which it must not
    RunOutcome outcome = Press(w, 0);
    std::vector<std::string> expected{kConfirmRun};
    expected.insert(expected.end(), c.boxes.begin(), c.boxes.end());
    EXPECT_EQ(w.BoxTexts(), expected);
    EXPECT_EQ(ResultNumber(outcome.result), c.result);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(Snapshot(dst), before) << "the destination is as it was";
    ExpectIdleWindow(w);
  }
}

TEST_F(RunTest, NoSourceKindStopsAtTheCheck) {
  w.form.ClearFolderChoice(0);
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kNoSourceKind);
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 2u);
  EXPECT_EQ(w.run.intRunState, 0);
  EXPECT_FALSE(w.IsVisible(Control::ProgressBar1));
}

// A stop in the tree (a month folder whose name is no year-month), in the
// conversion (a file too short for its header) and at a declined file name:
// each step shows its own box, then the deletion offer follows.
TEST_F(RunTest, StopsInEachStepOfferTheDeletion) {
  struct Case {
    const char* name;
    std::function<void(const SourceTree&)> spoil;
    std::vector<std::string> expected;  // box texts after the confirmation, up to the offer
    std::vector<MsgAnswer> answers;
  };
  std::vector<Case> cases = {
      {"bad month folder", [](const SourceTree& tree) { tree.Folder("19990A"); }, {kBadMonthFolder}, {MsgAnswer::kOk}},
      {"short file",
       [](const SourceTree& tree) { tree.File("199901/area11/ah11101_199901.csv", "one line\r\n"); },
       {kShortFile},
       {MsgAnswer::kOk}},
      {"declined name",
       [](const SourceTree& tree) { tree.File("199901/area11/x.txt", "?"); },
       {testing::texts::UnfitName("199901", "area11", "x.txt"), kAborted},
       {MsgAnswer::kNo, MsgAnswer::kOk}},
  };
  for (const Case& c : cases) {
    for (MsgAnswer deletion : {MsgAnswer::kYes, MsgAnswer::kNo}) {
      SCOPED_TRACE(std::string(c.name) + (deletion == MsgAnswer::kYes ? " / delete" : " / keep"));
      TempDir dir;
      FakeWindow win;
      std::string src = dir / "src/", dst = dir / "dst/";
      c.spoil(SourceTree(src).Month("199901", kStations));
      MakeFolders(dst);
      win.ChooseFolders(src, dst);
      win.Answer(MsgAnswer::kYes, kConfirmRun);
      for (MsgAnswer a : c.answers) win.Answer(a);
      win.Answer(deletion, kOfferDeletion);
      Press(win, 0);

      std::vector<std::string> texts = win.BoxTexts();
      ASSERT_EQ(texts.size(), c.expected.size() + 2);
      for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(texts[i + 1], c.expected[i]);
      EXPECT_TRUE(BoxIs(win.boxes.back(), kOfferDeletion, "確認", MsgIcon::kQuestion, MsgButtons::kYesNo));
      EXPECT_EQ(platform::FolderExists(dst + "dorvax"), deletion == MsgAnswer::kNo);
      EXPECT_TRUE(platform::FolderExists(dst));
      EXPECT_EQ(win.Logged("status:" + kDeleting), deletion == MsgAnswer::kYes);
      ExpectIdleWindow(win);
    }
  }
}

TEST_F(RunTest, DeletionShowsItsStatusAndEmptiesTheBar) {
  tree.Month("199901", kStations).Folder("bad");
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk);
  w.Answer(MsgAnswer::kYes, kOfferDeletion);
  Press(w, 0);
  auto status = std::find(w.log.begin(), w.log.end(), "status:" + kDeleting);
  ASSERT_NE(status, w.log.end());
  EXPECT_EQ(*(status + 1), "progress:0");
  EXPECT_NE(std::find(status, w.log.end(), "EnableInputControls(true)"), w.log.end());
  EXPECT_FALSE(platform::FolderExists(Output()));
  ExpectIdleWindow(w);
}

TEST_F(RunTest, LeftOutFilesAreReportedBeforeTheCompletionNotice) {
  WriteSource();
  tree.File("199901/area11/b.csv", "?");
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kYes, "b.csv");
  w.Answer(MsgAnswer::kOk, testing::texts::LeftOut(1));
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 4u);
  EXPECT_EQ(w.boxes.back().box.text, kFinished);
  EXPECT_EQ(w.run.lngUnprocessedFiles, 1);
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  ExpectIdleWindow(w);
}

TEST_F(RunTest, FullDiskInTheConversionOffersTheDeletion) {
  WriteSource();
  for (int32_t number : {int32_t{platform::kErrDiskFull}, platform::kStatusDiskFull}) {
    SCOPED_TRACE(number);
    w.boxes.clear();
    // CheckFolders deletes the output of the previous round first.
    w.Answer(MsgAnswer::kYes, kConfirmRun);
    if (platform::FolderExists(Output())) w.Answer(MsgAnswer::kYes, "既存の");
    w.Answer(MsgAnswer::kOk, kDiskFull);
    w.Answer(MsgAnswer::kNo, kOfferDeletion);
    ScopedFault fault(Plan{Op::kWrite, 1, number, "DVX1999", true});
    Press(w, 0);
    ASSERT_GE(w.boxes.size(), 3u);
    EXPECT_TRUE(BoxIs(w.boxes[w.boxes.size() - 2], kDiskFull, "処理中断", MsgIcon::kCritical));
    EXPECT_EQ(w.boxes.back().box.text, kOfferDeletion);
    EXPECT_TRUE(platform::FolderExists(Output()));
    ExpectIdleWindow(w);
  }
}

using RunFailureTest = RunTest;

// A full disk that no step handles: the controller's own box, result 99, and
// the run ends through the deletion offer; whatever its answer, the window is
// idle again with the normal pointer.
TEST_F(RunFailureTest, UnhandledFullDiskEndsThroughTheDeletionOffer) {
  WriteSource();
  struct Case {
    int32_t number;
    MsgAnswer offer;
    bool treeKept;
  };
  for (const Case& c :
       {Case{platform::kStatusDiskFull, MsgAnswer::kYes, false}, Case{platform::kErrDiskFull, MsgAnswer::kNo, true}}) {
    SCOPED_TRACE(c.number);
    w.boxes.clear();
    FailAtConversionStatus(w, c.number);
    w.Answer(MsgAnswer::kYes, kConfirmRun);
    w.Answer(MsgAnswer::kOk, kDiskFull);
    w.Answer(c.offer, kOfferDeletion);
    RunOutcome outcome = Press(w, 0);
    EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kDiskFull, kOfferDeletion}));
    EXPECT_EQ(w.BoxTitles(), (std::vector<std::string>{"確認", "処理中断", "確認"}));
    EXPECT_EQ(w.boxes[1].box.icon, MsgIcon::kCritical);
    EXPECT_EQ(outcome.result, StepResult::kStopped);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(platform::FolderExists(Output()), c.treeKept);
    ExpectIdleWindow(w);
  }
}

// Any other failure no step handles: the generic box titled "エラー", the
// controls and the progress display restored, no deletion offer, and the
// run state left as it was until the next run.
TEST_F(RunFailureTest, OtherUnhandledFailureShowsTheGenericBox) {
  WriteSource();
  FailAtConversionStatus(w, platform::kErrDeviceIo);
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk);
  RunOutcome outcome = Press(w, 0);
  ASSERT_EQ(w.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(w.boxes[1], kGeneric + "57 : " + platform::DescribeError(57), "エラー", MsgIcon::kCritical));
  EXPECT_EQ(outcome.errorNumber, 57);
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(w.run.intRunState, 3);
  EXPECT_FALSE(w.IsVisible(Control::ProgressBar1));
  EXPECT_TRUE(w.IsEnabled(Control::txtFolder1));
  EXPECT_TRUE(platform::FolderExists(Output()));

  // That run state belongs to the failed run: a next run that stops before
  // it begins a tree offers no deletion, even when the destination now
  // chosen holds a "dorvax" folder of its own.
  const std::string other = tmp / "other/";
  MakeFolders(other + "dorvax");
  WriteBytes(other + "dorvax" + S + "keep.txt", "kept");
  w.form.ClearFolderChoice(0);
  w.SetFolder(1, other);
  w.boxes.clear();
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kNoSourceKind);
  w.Answer(MsgAnswer::kYes, kOfferDeletion);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kNoSourceKind}));
  EXPECT_EQ(ReadBytes(other + "dorvax" + S + "keep.txt"), "kept");
  EXPECT_EQ(w.run.intRunState, 0);
}

TEST_F(RunTest, FailedDeletionArrivesAtTheGenericBox) {
  tree.Month("199901", kStations).Folder("bad");
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk);
  w.Answer(MsgAnswer::kYes, kOfferDeletion);
  w.Answer(MsgAnswer::kOk, kGeneric + "70 : ");
  ScopedFault fault(Plan{Op::kDeleteEntry, 1, platform::kErrPermissionDenied, "", false});
  Press(w, 0);
  ASSERT_EQ(w.boxes.size(), 4u);
  EXPECT_EQ(w.boxes[3].box.title, "エラー");
  EXPECT_TRUE(w.IsEnabled(Control::txtFolder1));
  EXPECT_FALSE(w.IsVisible(Control::ProgressBar1));
  EXPECT_TRUE(platform::FolderExists(Output()));
}

// A source that cannot be reached once the checks have passed makes the tree
// step report a missing disc (580). Outside the second-disc hand-over the
// call is not repeated: the run ends with the deletion offer.
TEST_F(RunTest, MissingDiscInPassOneEndsTheRun) {
  WriteSource();
  ScopedFault fault(Plan{Op::kListFolder, 1, platform::kErrPathNotFound, "hourly", false});
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kNo, kOfferDeletion);
  RunOutcome outcome = Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kNoDisc, kOfferDeletion}));
  EXPECT_EQ(outcome.result, StepResult::kCallAgain);
  ExpectIdleWindow(w);
}

// Two CD-ROMs in a fake drive: disc 1 holds 1999, disc 2 holds 2005; the
// discs are swapped inside the answer to the insert prompt.
class TwoDiscTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    SourceTree(drive).Month("199901", kStations);
    SourceTree(tmp / "disc2/").Month("200501", kTextStations);
    w.ChooseDrive(drive);
  }
  void SwapDiscs() {
    fs::rename(drive + "dorvax", tmp / "disc1");
    fs::rename(tmp / "disc2/dorvax", drive + "dorvax");
  }
  // Cancel at the prompt, its stop message, then the deletion offer
  // answered `offer`; the run's result.
  StepResult CancelAtThePrompt(MsgAnswer offer) {
    w.Answer(MsgAnswer::kCancel, kInsertSecond);
    w.Answer(MsgAnswer::kOk, kAborted);
    w.Answer(offer, kOfferDeletion);
    return Press(w, 0).result;
  }
  std::string drive = tmp / "cd/";
};

TEST_F(TwoDiscTest, BothDiscsAreConvertedWithTheSwapInBetween) {
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { SwapDiscs(); });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kInsertSecond, kFinished}));
  EXPECT_EQ(w.boxes[1].box.title, "メッセージ");
  EXPECT_EQ(w.boxes[1].box.buttons, MsgButtons::kOkCancel);
  for (const char* status :
       {"（1枚目のCD-ROMのフォルダ構成等のチェックを行っています）",
        "（1枚目のCD-ROMの旧版サブフォルダを作成しています）",
        "（1枚目のCD-ROMの新版ファイルを旧版ファイルに変換しています）",
        "（2枚目のCD-ROMのフォルダ構成等のチェックを行っています）",
        "（2枚目のCD-ROMの旧版サブフォルダを作成しています）", "（2枚目のCD-ROMのファイル変換処理が終了しました）"})
    EXPECT_TRUE(w.Logged(std::string("status:") + status)) << status;
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(w.run.intSourceKind, 2);
  EXPECT_EQ(w.Folder(0), drive);
  ExpectIdleWindow(w);
}

// A stop in the conversion of the first disc: the prompt for the second disc
// never comes; the deletion offer follows at once.
TEST_F(TwoDiscTest, StopInThePassOneConversionOffersTheDeletionWithoutThePrompt) {
  SourceTree(drive).File("199901/area11/ah11101_199901.csv", "one line\r\n");
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kShortFile);
  w.Answer(MsgAnswer::kYes, kOfferDeletion);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kShortFile, kOfferDeletion}));
  EXPECT_FALSE(platform::FolderExists(Output()));
  ExpectIdleWindow(w);
}

// Cancel at the prompt with the offer answered No keeps the first disc's
// output as a partial conversion.
TEST_F(TwoDiscTest, CancelAtThePromptKeepsTheFirstDiscWhenTheOfferIsDeclined) {
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  EXPECT_EQ(CancelAtThePrompt(MsgAnswer::kNo), StepResult::kStopped);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kInsertSecond, kAborted, kOfferDeletion}));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_FALSE(platform::FolderExists(Output() + "200501"));
  ExpectIdleWindow(w);
}

// The first disc left in the drive: the same-data message, then the prompt
// again; the second disc then completes the run.
TEST_F(TwoDiscTest, FirstDiscLeftInTheDriveIsToldAndAskedForAgain) {
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kInsertSecond);
  w.Answer(MsgAnswer::kOk, kSameDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { SwapDiscs(); });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kInsertSecond, kSameDisc, kInsertSecond, kFinished}));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  ExpectIdleWindow(w);
}

// A missing disc at the hand-over is asked for again (580 is repeated in
// pass 2 only), and Cancel at the prompt stops with the deletion offer.
TEST_F(TwoDiscTest, MissingSecondDiscIsAskedForAgainUntilCancel) {
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { w.fakeDrives().SetReady(drive, false); });
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond);
  w.Answer(MsgAnswer::kOk, kNoDisc);
  EXPECT_EQ(CancelAtThePrompt(MsgAnswer::kYes), StepResult::kStopped);
  EXPECT_EQ(w.boxes.size(), 8u);
  EXPECT_FALSE(platform::FolderExists(Output()));  // disc 1's output went too
  ExpectIdleWindow(w);
}

TEST_F(TwoDiscTest, MissingDiscAfterARetryThenTheRightDiscCompletes) {
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { w.fakeDrives().SetReady(drive, false); });
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] {
    w.fakeDrives().SetReady(drive, true);
    SwapDiscs();
  });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 5u);
  EXPECT_EQ(w.boxes.back().box.text, kFinished);
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  ExpectIdleWindow(w);
}

// Where every disc is mounted at a path of its own (by its label), the
// second disc is found through the device of the first disc's drive, and
// asked for again while that device has none.
TEST_F(TwoDiscTest, SecondDiscMountedElsewhereIsFoundThroughItsDevice) {
  const std::string device = "/dev/sr0";
  w.fakeDrives().MountDisc(device, drive);
  const std::string secondRoot = tmp / "disc2/";
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [&] { w.fakeDrives().MountDisc(device, ""); });
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [&] { w.fakeDrives().MountDisc(device, secondRoot); });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kInsertSecond, kNoDisc, kInsertSecond, kFinished}));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(w.run.strFolderPath[0], secondRoot + "dorvax" + S + "hourly" + S);
  ExpectIdleWindow(w);
}

TEST_F(TwoDiscTest, MissingDiscInPassOneIsNotRepeated) {
  ScopedFault fault(Plan{Op::kListFolder, 1, platform::kErrPathNotFound, "hourly", false});
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kNo, kOfferDeletion);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirmRun, kNoDisc, kOfferDeletion}));
  ExpectIdleWindow(w);
}

TEST(ExitButton, YesUnloadsAndNoLeavesTheWindowAsItWas) {
  FakeWindow w;
  w.Answer(MsgAnswer::kNo, kConfirmExit);
  Press(w, 1);
  EXPECT_FALSE(w.unloaded);
  ASSERT_EQ(w.boxes.size(), 1u);
  EXPECT_EQ(w.boxes[0].box.title, "確認");
  EXPECT_EQ(w.boxes[0].box.icon, MsgIcon::kQuestion);
  EXPECT_EQ(w.boxes[0].box.defaultAnswer, MsgAnswer::kYes);
  EXPECT_EQ(w.log.size(), 1u);

  w.Answer(MsgAnswer::kYes, kConfirmExit);
  Press(w, 1);
  EXPECT_TRUE(w.unloaded);
}

// Closing the window while files are converted ends the program: the
// controller lets RunAborted through and shows nothing more.
TEST_F(RunTest, CloseDuringTheConversionPassesThrough) {
  WriteSource();
  w.Answer(MsgAnswer::kYes, kConfirmRun);
  w.Answer(MsgAnswer::kOk, kForcedEnd);
  // Five checks, one per month folder of the tree and its share, then the
  // conversion's share after the last file.
  w.CloseDuringRunAt(9);
  EXPECT_THROW(Press(w, 0), RunAborted);
  EXPECT_EQ(w.boxes.size(), 2u);
  EXPECT_EQ(platform::OpenFileCount(), 0);
  EXPECT_TRUE(platform::FolderExists(Output()));
}

}  // namespace
}  // namespace dorvax
