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
#include "run/small_tree.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using platform::faults::Op;
using platform::faults::Plan;
using platform::faults::ScopedFault;
using testing::FakeWindow;
using testing::MakeFolders;
using testing::ReadBytes;
using testing::SmallStation;
using testing::TempDir;
using testing::TreeSnapshot;
using testing::WriteBytes;
using testing::WriteMonth;

const std::string S = platform::Sep();
const std::string kConfirm = "ファイル変換を実行してよろしいですか？";
const std::string kFinished = "Dorvaxデータの変換処理が完了しました。";
const std::string kOffer = "作成した旧版の\"\\dorvax\"フォルダを削除しますか。";
const std::string kDeleting = "（作成した旧版\"\\dorvax\"フォルダを削除しています）";
const std::string kAborted = "変換処理を中断しました。";
const std::string kDiskFull = "旧版フォルダの容量不足です。";
const std::string kNoDisc = "CD-ROMが入っていません。";
const std::string kInsertSecond =
    "１枚目のCD-ROMの変換処理が終了しました。\r\n"
    "１枚目のCD-ROMを取り出し、２枚目のCD-ROMを入れてください。\r\n"
    "入れ終わったら「OK」を押してください。\r\n"
    "変換処理を中断する場合は「キャンセル」を押してください。";

const std::vector<SmallStation> kStations = {{101, 11, false, 2}, {202, 12, true, 3}};

// The status line fails once it is given the conversion's text: a failure
// raised where no step handles it, which reaches the controller.
void FailAtConversionStatus(FakeWindow& w, int32_t number) {
  w.onStatus = [number](const std::string& text) {
    if (text == "（新版ファイルを旧版ファイルに変換しています）") throw platform::MakeError(number);
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

template <class Window>
class RunTestBase : public ::testing::Test {
 protected:
  void SetUp() override {
    source = tmp / "src/";
    destination = tmp / "dst/";
    MakeFolders(destination);
    w.SetSelected(Control::optNew1, true);
    w.form.optNew_Click(1);
    w.SetFolder(0, source);
    w.SetFolder(1, destination);
    w.log.clear();
  }

  void WriteSource() {
    WriteMonth(source, "199901", kStations);
    WriteMonth(source, "200501", {{303, 44, false, 1}});
  }

  std::string Output() const { return destination + "dorvax" + S; }

  void ExpectIdle() { ExpectIdleWindow(w); }

  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    for (const auto& b : w.boxes) out.push_back(b.box.title);
    return out;
  }

  bool StatusShown(const std::string& text) const {
    return std::find(w.statusTexts.begin(), w.statusTexts.end(), text) != w.statusTexts.end();
  }

  TempDir tmp;
  Window w;
  std::string source, destination;
};

using RunTest = RunTestBase<FakeWindow>;

TEST_F(RunTest, FolderRunGoesFromConfirmationToCompletionNotice) {
  WriteSource();
  auto before = TreeSnapshot(source);
  w.run.lngUnprocessedFiles = 5;
  w.run.indexFilesWritten["stale"] = 1;
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);

  ASSERT_EQ(w.boxes.size(), 2u);
  EXPECT_EQ(w.boxes[0].box.text, kConfirm);
  EXPECT_EQ(w.boxes[0].box.title, "確認");
  EXPECT_EQ(w.boxes[0].box.icon, MsgIcon::kQuestion);
  EXPECT_EQ(w.boxes[0].box.buttons, MsgButtons::kYesNo);
  EXPECT_EQ(w.boxes[0].box.defaultAnswer, MsgAnswer::kYes);
  EXPECT_EQ(w.boxes[1].box.text, kFinished);
  EXPECT_EQ(w.boxes[1].box.title, "変換終了");
  EXPECT_EQ(w.boxes[1].box.icon, MsgIcon::kInformation);
  EXPECT_EQ(w.boxes[1].box.buttons, MsgButtons::kOk);

  EXPECT_EQ(w.statusTexts, (std::vector<std::string>{"（フォルダ構成等のチェックを行っています）",
                                                     "（旧版サブフォルダを作成しています）",
                                                     "（新版ファイルを旧版ファイルに変換しています）",
                                                     "（ファイル変換処理が終了しました）", ""}));
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  EXPECT_TRUE(std::is_sorted(w.progressValues.begin(), w.progressValues.end()));
  ASSERT_FALSE(w.focusLog.empty());
  EXPECT_EQ(w.focusLog.back(), "cmdMain(1)");
  EXPECT_EQ(w.run.lngUnprocessedFiles, 0);
  EXPECT_EQ(w.run.indexFilesWritten.count("stale"), 0u);
  ExpectIdle();

  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVS1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(TreeSnapshot(source), before);
}

TEST_F(RunTest, NoAtTheConfirmationChangesNothing) {
  WriteSource();
  w.run.lngUnprocessedFiles = 7;
  w.run.indexFilesWritten["kept"] = 2;
  w.run.stats.filesConverted = 9;
  w.Answer(MsgAnswer::kNo, kConfirm);
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
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, "\\dorvax\\hourly");
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 2u);
  ExpectIdle();
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
  const std::string kExistingTree =
      "旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\r\n"
      "（既存フォルダ内のファイルは全て削除されます）";
  std::vector<Case> cases = {
      {"no hourly tree", [](FakeWindow&, const std::string& src, const std::string&) { MakeFolders(src); },
       {"新版の指定フォルダ内に\"\\dorvax\\hourly\"フォルダが存在しません。"}, {MsgAnswer::kOk}, 10},
      {"existing tree kept",
       [](FakeWindow&, const std::string& src, const std::string& dst) {
         WriteMonth(src, "199901", kStations);
         MakeFolders(dst + "dorvax");
         WriteBytes(dst + "dorvax" + S + "mine.txt", "kept");
       },
       {kExistingTree, kAborted}, {MsgAnswer::kNo, MsgAnswer::kOk}, 11},
      {"same folder",
       [](FakeWindow& w, const std::string& src, const std::string&) {
         WriteMonth(src, "199901", kStations);
         w.SetFolder(1, src);
       },
       {"新版フォルダと旧版フォルダに同一のフォルダを指定しています。"}, {MsgAnswer::kOk}, 2},
  };
#ifndef _WIN32  // fake drives are rooted at folders, which a Windows drive list cannot show
  cases.push_back({"no CD-ROM drive",
                   [](FakeWindow& w, const std::string& src, const std::string&) {
                     WriteMonth(src, "199901", kStations);
                     w.fakeDrives().AddDrive(src, DriveType::kFixed);
                     w.SetCurrentDriveText(src);
                     w.SetSelected(Control::optNew1, false);
                     w.SetSelected(Control::optNew0, true);
                     w.form.optNew_Click(0);
                   },
                   {"新版フォルダに指定されたドライブは、CD-ROMドライブではありません。"}, {MsgAnswer::kOk}, 10});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    FakeWindow w;
    const std::string src = dir / "src/", dst = dir / "dst/";
    MakeFolders(dst);
    w.SetSelected(Control::optNew1, true);
    w.form.optNew_Click(1);
    w.SetFolder(0, src);
    w.SetFolder(1, dst);
    c.prepare(w, src, dst);
    const auto before = TreeSnapshot(dst);
    w.Answer(MsgAnswer::kYes, kConfirm);
    for (std::size_t i = 0; i < c.boxes.size(); ++i) w.Answer(c.answers[i], c.boxes[i]);
    w.Answer(MsgAnswer::kYes, kOffer);  // taken if the offer came, which it must not
    RunOutcome outcome;
    cmdMain_Click(w.run, w, 0, outcome);
    std::vector<std::string> expected{kConfirm};
    expected.insert(expected.end(), c.boxes.begin(), c.boxes.end());
    EXPECT_EQ(w.BoxTexts(), expected);
    EXPECT_EQ(ResultNumber(outcome.result), c.result);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(TreeSnapshot(dst), before) << "the destination is as it was";
    ExpectIdleWindow(w);
  }
}

TEST_F(RunTest, NoSourceKindStopsAtTheCheck) {
  w.form.ClearFolderChoice(0);
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, "新版フォルダの読み込みフォルダが設定されていません。");
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
    std::function<void(const std::string&)> spoil;
    std::vector<std::string> expected;  // box texts after the confirmation, up to the offer
    std::vector<MsgAnswer> answers;
  };
  std::vector<Case> cases = {
      {"bad month folder", [](const std::string& src) { MakeFolders(testing::HourlyRoot(src) + "19990A"); },
       {"新版フォルダ中に、年報CD-ROMのフォルダに該当しない名称のフォルダがあります。\r\n（観測年月フォルダ名にエラーがあります）"},
       {MsgAnswer::kOk}},
      {"short file",
       [](const std::string& src) {
         WriteBytes(testing::HourlyRoot(src) + "199901" + S + "area11" + S + "ah11101_199901.csv", "one line\r\n");
       },
       {"ファイル内のデータが足りません。新版データを確認してください。"},
       {MsgAnswer::kOk}},
      {"declined name",
       [](const std::string& src) {
         WriteBytes(testing::HourlyRoot(src) + "199901" + S + "area11" + S + "x.txt", "?");
       },
       {"新版ファイル中に、年報CD-ROMのファイルに該当しない名称のファイルがあります。\r\n"
        "このファイルを処理せずに、変換処理を続けますか？\r\n"
        "（エラーファイル名：\\199901\\area11\\x.txt）",
        kAborted},
       {MsgAnswer::kNo, MsgAnswer::kOk}},
  };
  for (const Case& c : cases) {
    for (MsgAnswer deletion : {MsgAnswer::kYes, MsgAnswer::kNo}) {
      SCOPED_TRACE(std::string(c.name) + (deletion == MsgAnswer::kYes ? " / delete" : " / keep"));
      TempDir dir;
      FakeWindow win;
      std::string src = dir / "src/", dst = dir / "dst/";
      WriteMonth(src, "199901", kStations);
      c.spoil(src);
      MakeFolders(dst);
      win.SetSelected(Control::optNew1, true);
      win.form.optNew_Click(1);
      win.SetFolder(0, src);
      win.SetFolder(1, dst);
      win.Answer(MsgAnswer::kYes, kConfirm);
      for (MsgAnswer a : c.answers) win.Answer(a);
      win.Answer(deletion, kOffer);
      Press(win, 0);

      std::vector<std::string> texts = win.BoxTexts();
      ASSERT_EQ(texts.size(), c.expected.size() + 2);
      for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(texts[i + 1], c.expected[i]);
      EXPECT_EQ(win.boxes.back().box.text, kOffer);
      EXPECT_EQ(win.boxes.back().box.title, "確認");
      EXPECT_EQ(win.boxes.back().box.icon, MsgIcon::kQuestion);
      EXPECT_EQ(win.boxes.back().box.buttons, MsgButtons::kYesNo);
      EXPECT_EQ(platform::FolderExists(dst + "dorvax"), deletion == MsgAnswer::kNo);
      EXPECT_TRUE(platform::FolderExists(dst));
      bool deletingShown = std::find(win.statusTexts.begin(), win.statusTexts.end(), kDeleting) != win.statusTexts.end();
      EXPECT_EQ(deletingShown, deletion == MsgAnswer::kYes);
      EXPECT_EQ(win.run.intRunState, 0);
      EXPECT_FALSE(win.IsVisible(Control::ProgressBar1));
      EXPECT_TRUE(win.IsEnabled(Control::txtFolder1));
      EXPECT_FALSE(win.busy);
      EXPECT_EQ(win.unexpectedBoxes, 0);
      EXPECT_EQ(platform::OpenFileCount(), 0);
    }
  }
}

TEST_F(RunTest, DeletionShowsItsStatusAndEmptiesTheBar) {
  WriteMonth(source, "199901", kStations);
  MakeFolders(testing::HourlyRoot(source) + "bad");
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk);
  w.Answer(MsgAnswer::kYes, kOffer);
  Press(w, 0);
  auto status = std::find(w.log.begin(), w.log.end(), "status:" + kDeleting);
  ASSERT_NE(status, w.log.end());
  EXPECT_EQ(*(status + 1), "progress:0");
  EXPECT_NE(std::find(status, w.log.end(), "EnableInputControls(true)"), w.log.end());
  EXPECT_FALSE(platform::FolderExists(Output()));
  ExpectIdle();
}

TEST_F(RunTest, LeftOutFilesAreReportedBeforeTheCompletionNotice) {
  WriteSource();
  WriteBytes(testing::HourlyRoot(source) + "199901" + S + "area11" + S + "b.csv", "?");
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kYes, "b.csv");
  w.Answer(MsgAnswer::kOk, "（未処理ファイル数： 1 ファイル）");
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.boxes.size(), 4u);
  EXPECT_EQ(w.boxes.back().box.text, kFinished);
  EXPECT_EQ(w.run.lngUnprocessedFiles, 1);
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  ExpectIdle();
}

TEST_F(RunTest, FullDiskInTheConversionOffersTheDeletion) {
  WriteSource();
  for (int32_t number : {int32_t{platform::kErrDiskFull}, platform::kStatusDiskFull}) {
    SCOPED_TRACE(number);
    w.boxes.clear();
    // CheckFolders deletes the output of the previous round first.
    w.Answer(MsgAnswer::kYes, kConfirm);
    if (platform::FolderExists(Output())) w.Answer(MsgAnswer::kYes, "既存の");
    w.Answer(MsgAnswer::kOk, kDiskFull);
    w.Answer(MsgAnswer::kNo, kOffer);
    ScopedFault fault(Plan{Op::kWrite, 1, number, "DVX1999", true});
    Press(w, 0);
    ASSERT_GE(w.boxes.size(), 3u);
    const MessageBoxRequest& full = w.boxes[w.boxes.size() - 2].box;
    EXPECT_EQ(full.text, kDiskFull);
    EXPECT_EQ(full.title, "処理中断");
    EXPECT_EQ(full.icon, MsgIcon::kCritical);
    EXPECT_EQ(w.boxes.back().box.text, kOffer);
    EXPECT_TRUE(platform::FolderExists(Output()));
    ExpectIdle();
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
  for (const Case& c : {Case{platform::kStatusDiskFull, MsgAnswer::kYes, false},
                        Case{platform::kErrDiskFull, MsgAnswer::kNo, true}}) {
    SCOPED_TRACE(c.number);
    w.boxes.clear();
    FailAtConversionStatus(w, c.number);
    w.Answer(MsgAnswer::kYes, kConfirm);
    w.Answer(MsgAnswer::kOk, kDiskFull);
    w.Answer(c.offer, kOffer);
    RunOutcome outcome;
    cmdMain_Click(w.run, w, 0, outcome);
    EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kDiskFull, kOffer}));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"確認", "処理中断", "確認"}));
    EXPECT_EQ(w.boxes[1].box.icon, MsgIcon::kCritical);
    EXPECT_EQ(outcome.result, StepResult::kStopped);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(platform::FolderExists(Output()), c.treeKept);
    ExpectIdle();
  }
}

// Any other failure no step handles: the generic box titled "エラー", the
// controls and the progress display restored, no deletion offer, and the
// run state left as it was until the next run.
TEST_F(RunFailureTest, OtherUnhandledFailureShowsTheGenericBox) {
  WriteSource();
  FailAtConversionStatus(w, platform::kErrDeviceIo);
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk);
  RunOutcome outcome;
  cmdMain_Click(w.run, w, 0, outcome);
  ASSERT_EQ(w.boxes.size(), 2u);
  EXPECT_EQ(w.boxes[1].box.text, "エラー発生により、現在の処理を中断します。\r\n57 : " + platform::DescribeError(57));
  EXPECT_EQ(w.boxes[1].box.title, "エラー");
  EXPECT_EQ(w.boxes[1].box.icon, MsgIcon::kCritical);
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
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, "新版フォルダの読み込みフォルダが設定されていません。");
  w.Answer(MsgAnswer::kYes, kOffer);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, "新版フォルダの読み込みフォルダが設定されていません。"}));
  EXPECT_EQ(ReadBytes(other + "dorvax" + S + "keep.txt"), "kept");
  EXPECT_EQ(w.run.intRunState, 0);
}

TEST_F(RunTest, FailedDeletionArrivesAtTheGenericBox) {
  WriteMonth(source, "199901", kStations);
  MakeFolders(testing::HourlyRoot(source) + "bad");
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk);
  w.Answer(MsgAnswer::kYes, kOffer);
  w.Answer(MsgAnswer::kOk, "エラー発生により、現在の処理を中断します。\r\n70 : ");
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
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kNo, kOffer);
  RunOutcome outcome;
  cmdMain_Click(w.run, w, 0, outcome);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kNoDisc, kOffer}));
  EXPECT_EQ(outcome.result, StepResult::kCallAgain);
  ExpectIdle();
}

// Two CD-ROMs in a fake drive: disc 1 holds 1999, disc 2 holds 2005; the
// discs are swapped inside the answer to the insert prompt.
class TwoDiscTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    drive = tmp / "cd/";
    WriteMonth(drive, "199901", kStations);
    WriteMonth(tmp / "disc2/", "200501", {{303, 44, false, 1}});
    w.fakeDrives().AddDrive(drive, DriveType::kCdRom);
    w.SetCurrentDriveText(drive);
    w.SetSelected(Control::optNew1, false);
    w.SetSelected(Control::optNew0, true);
    w.form.optNew_Click(0);
    w.log.clear();
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
    w.Answer(offer, kOffer);
    RunOutcome outcome;
    cmdMain_Click(w.run, w, 0, outcome);
    return outcome.result;
  }
  std::string drive;
};

TEST_F(TwoDiscTest, BothDiscsAreConvertedWithTheSwapInBetween) {
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { SwapDiscs(); });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kInsertSecond, kFinished}));
  EXPECT_EQ(w.boxes[1].box.title, "メッセージ");
  EXPECT_EQ(w.boxes[1].box.buttons, MsgButtons::kOkCancel);
  for (const char* status : {"（1枚目のCD-ROMのフォルダ構成等のチェックを行っています）",
                             "（1枚目のCD-ROMの旧版サブフォルダを作成しています）",
                             "（1枚目のCD-ROMの新版ファイルを旧版ファイルに変換しています）",
                             "（2枚目のCD-ROMのフォルダ構成等のチェックを行っています）",
                             "（2枚目のCD-ROMの旧版サブフォルダを作成しています）",
                             "（2枚目のCD-ROMのファイル変換処理が終了しました）"})
    EXPECT_TRUE(StatusShown(status)) << status;
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100);
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(w.run.intSourceKind, 2);
  EXPECT_EQ(w.Folder(0), drive);
  ExpectIdle();
}

// A stop in the conversion of the first disc: the prompt for the second disc
// never comes; the deletion offer follows at once.
TEST_F(TwoDiscTest, StopInThePassOneConversionOffersTheDeletionWithoutThePrompt) {
  WriteBytes(testing::HourlyRoot(drive) + "199901" + S + "area11" + S + "ah11101_199901.csv", "one line\r\n");
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, "ファイル内のデータが足りません。新版データを確認してください。");
  w.Answer(MsgAnswer::kYes, kOffer);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, "ファイル内のデータが足りません。新版データを確認してください。",
                                                     kOffer}));
  EXPECT_FALSE(platform::FolderExists(Output()));
  ExpectIdle();
}

// Cancel at the prompt with the offer answered No keeps the first disc's
// output as a partial conversion.
TEST_F(TwoDiscTest, CancelAtThePromptKeepsTheFirstDiscWhenTheOfferIsDeclined) {
  w.Answer(MsgAnswer::kYes, kConfirm);
  EXPECT_EQ(CancelAtThePrompt(MsgAnswer::kNo), StepResult::kStopped);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kInsertSecond, kAborted, kOffer}));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_FALSE(platform::FolderExists(Output() + "200501"));
  ExpectIdle();
}

// The first disc left in the drive: the same-data message, then the prompt
// again; the second disc then completes the run.
TEST_F(TwoDiscTest, FirstDiscLeftInTheDriveIsToldAndAskedForAgain) {
  const std::string kSameDisc = "１枚目と同一のデータを含むCD-ROMが入っています。";
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kInsertSecond);
  w.Answer(MsgAnswer::kOk, kSameDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { SwapDiscs(); });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kInsertSecond, kSameDisc, kInsertSecond, kFinished}));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  ExpectIdle();
}

// A missing disc at the hand-over is asked for again (580 is repeated in
// pass 2 only), and Cancel at the prompt stops with the deletion offer.
TEST_F(TwoDiscTest, MissingSecondDiscIsAskedForAgainUntilCancel) {
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [this] { w.fakeDrives().SetReady(drive, false); });
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond);
  w.Answer(MsgAnswer::kOk, kNoDisc);
  EXPECT_EQ(CancelAtThePrompt(MsgAnswer::kYes), StepResult::kStopped);
  EXPECT_EQ(w.boxes.size(), 8u);
  EXPECT_FALSE(platform::FolderExists(Output()));  // disc 1's output went too
  ExpectIdle();
}

TEST_F(TwoDiscTest, MissingDiscAfterARetryThenTheRightDiscCompletes) {
  w.Answer(MsgAnswer::kYes, kConfirm);
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
  ExpectIdle();
}

// Where every disc is mounted at a path of its own (by its label), the
// second disc is found through the device of the first disc's drive, and
// asked for again while that device has none.
TEST_F(TwoDiscTest, SecondDiscMountedElsewhereIsFoundThroughItsDevice) {
  const std::string device = "/dev/sr0";
  w.fakeDrives().MountDisc(device, drive);
  const std::string secondRoot = tmp / "disc2/";
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [&] { w.fakeDrives().MountDisc(device, ""); });
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kOk, kInsertSecond, [&] { w.fakeDrives().MountDisc(device, secondRoot); });
  w.Answer(MsgAnswer::kOk, kFinished);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kInsertSecond, kNoDisc, kInsertSecond, kFinished}));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(w.run.strFolderPath[0], secondRoot + "dorvax" + S + "hourly" + S);
  ExpectIdle();
}

TEST_F(TwoDiscTest, MissingDiscInPassOneIsNotRepeated) {
  ScopedFault fault(Plan{Op::kListFolder, 1, platform::kErrPathNotFound, "hourly", false});
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, kNoDisc);
  w.Answer(MsgAnswer::kNo, kOffer);
  Press(w, 0);
  EXPECT_EQ(w.BoxTexts(), (std::vector<std::string>{kConfirm, kNoDisc, kOffer}));
  ExpectIdle();
}

TEST(ExitButton, YesUnloadsAndNoLeavesTheWindowAsItWas) {
  FakeWindow w;
  w.Answer(MsgAnswer::kNo, "変換プログラムを終了してよろしいですか？");
  Press(w, 1);
  EXPECT_FALSE(w.unloaded);
  ASSERT_EQ(w.boxes.size(), 1u);
  EXPECT_EQ(w.boxes[0].box.title, "確認");
  EXPECT_EQ(w.boxes[0].box.icon, MsgIcon::kQuestion);
  EXPECT_EQ(w.boxes[0].box.defaultAnswer, MsgAnswer::kYes);
  EXPECT_EQ(w.log.size(), 1u);

  w.Answer(MsgAnswer::kYes, "変換プログラムを終了してよろしいですか？");
  Press(w, 1);
  EXPECT_TRUE(w.unloaded);
}

// Closing the window while files are converted ends the program: the
// controller lets RunAborted through and shows nothing more.
TEST_F(RunTest, CloseDuringTheConversionPassesThrough) {
  WriteSource();
  w.Answer(MsgAnswer::kYes, kConfirm);
  w.Answer(MsgAnswer::kOk, "変換プログラムを強制終了します。");
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
