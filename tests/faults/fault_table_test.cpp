// Every row of every step's failure table, driven by an injected failure of
// the platform operation the step is doing at that moment: the box of the
// row, the result, the focus, and afterwards every file closed, the source
// unchanged and the destination as far as a complete run had written it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "window/messages.h"
#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/run_error.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using platform::faults::Op;
using platform::faults::Plan;
using platform::faults::ScopedFault;

const std::string kDiskFull = "旧版フォルダの容量不足です。";
const std::string kOfferDeletion = "作成した旧版の\"\\dorvax\"フォルダを削除しますか。";
const std::string kGeneric = "エラー発生により、現在の処理を中断します。\r\n";
const std::string kAccessDenied =
    "旧版フォルダの出力先に、書き込みできないドライブ等を指定しています。\r\n"
    "または、旧版フォルダを開いているため、フォルダを完全に削除できません。";

Plan Fault(Op op, const std::string& pathContains, int32_t number, int64_t failAt = 1) {
  Plan plan;
  plan.op = op;
  plan.pathContains = pathContains;
  plan.errorNumber = number;
  plan.failAt = failAt;
  return plan;
}

class FaultTable : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSourceTree(source, {199901, 200001}, 4);
    fs::create_directories(reference);
    ConvertCompletely(source, reference);
    fs::create_directories(target);
    before = Snapshot(source);
    openBefore = platform::OpenFileCount();
  }

  // A run with `plan` armed from the confirmation on. `stopText` is the
  // whole text of the stop box (or its start when `textStart`).
  RunOutcome Run(const Plan& plan, bool offersDeletion = true) {
    PrepareFolderRun(frm, source, target);
    frm.Answer(MsgAnswer::kOk);
    if (offersDeletion) frm.Answer(MsgAnswer::kNo, kOfferDeletion);
    ScopedFault fault(plan);
    RunOutcome outcome = PressRun(frm);
    fired = platform::faults::Fired();
    return outcome;
  }

  void ExpectStopBox(const std::string& text, const std::string& title, MsgIcon icon) {
    ASSERT_GE(frm.boxes.size(), 2u);
    EXPECT_EQ(frm.boxes[1].box.text, text);
    EXPECT_EQ(frm.boxes[1].box.title, title);
    EXPECT_EQ(frm.boxes[1].box.icon, icon);
  }

  // Whatever the row: the fault fired, the run stopped with `result` and
  // (when the tree was begun) the deletion offer, nothing stays open, the
  // source is unchanged and the output is the complete output cut short.
  void ExpectCleanStop(const RunOutcome& outcome, int result, bool offersDeletion = true) {
    EXPECT_TRUE(fired) << "the armed fault never fired";
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(ResultNumber(outcome.result), result);
    EXPECT_EQ(frm.boxes.size(), offersDeletion ? 3u : 2u) << ::testing::PrintToString(frm.BoxTexts());
    if (offersDeletion && frm.boxes.size() == 3) {
      EXPECT_EQ(frm.boxes[2].box.text, kOfferDeletion);
    }
    EXPECT_EQ(frm.run.intRunState, 0);
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
    EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
    EXPECT_EQ(platform::OpenFileCount(), openBefore);
    EXPECT_EQ(Snapshot(source), before);
    if (fs::exists(target + "dorvax")) ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
  }

  // The focus given right after the stop box, as FocusFolderBox records it.
  bool FocusedAfterStop(int side) const {
    std::string wanted = "FocusFolderBox(" + std::to_string(side) + ")";
    auto box = std::find_if(frm.log.begin(), frm.log.end(), [](const std::string& e) {
      return e.rfind("box[", 0) == 0 && e.find("ファイル変換を実行") == std::string::npos;
    });
    return box != frm.log.end() && box + 1 != frm.log.end() && *(box + 1) == wanted;
  }

  TempDir tmp;
  std::string source = tmp / "src/";
  std::string reference = tmp / "ref/";
  std::string target = tmp / "dst/";
  FakeWindow frm;
  TreeState before;
  int openBefore = 0;
  bool fired = false;
};

// ---- CheckFolders: 70 and any other number.

TEST_F(FaultTable, CheckFoldersAccessDenied) {
  RunOutcome outcome = Run(Fault(Op::kCreateFolder, "dorvax", platform::kErrPermissionDenied), false);
  ExpectStopBox(kAccessDenied, "エラー", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(1));
  ExpectCleanStop(outcome, 2, false);
}

TEST_F(FaultTable, CheckFoldersOtherError) {
  RunOutcome outcome = Run(Fault(Op::kCreateFolder, "dorvax", platform::kErrDeviceIo), false);
  ExpectStopBox(msg::GenericError(57, platform::DescribeError(57) + " (" + target + "dorvax/ [injected])"),
                "処理中断", MsgIcon::kCritical);
  EXPECT_FALSE(FocusedAfterStop(0));
  EXPECT_FALSE(FocusedAfterStop(1));
  ExpectCleanStop(outcome, 2, false);
}

TEST_F(FaultTable, CheckFoldersDeletionOfTheOldTreeFailsMidway) {
  MakeFolders(target + "dorvax/1999/STNIDX/IDX/");
  for (const char* name : {"a", "b", "c", "d"}) WriteBytes(target + "dorvax/1999/" + name, name);
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kYes, "旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して");
  frm.Answer(MsgAnswer::kOk, kAccessDenied);
  RunOutcome outcome;
  {
    ScopedFault fault(Fault(Op::kDeleteEntry, "", platform::kErrPermissionDenied, 3));
    outcome = PressRun(frm);
  }
  EXPECT_EQ(frm.boxes.size(), 3u);
  EXPECT_EQ(outcome.result, StepResult::kSameFolder);
  std::vector<std::string> left = FilesBelow(target + "dorvax");
  EXPECT_FALSE(left.empty()) << "the deletion stopped part-way";
  EXPECT_LT(left.size(), 4u) << "what was deleted before stays deleted";
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
}

// ---- CreateOldFolders: 76, 58, 53, 61 and any other number.

TEST_F(FaultTable, CreateOldFoldersPathNotFound) {
  RunOutcome outcome = Run(Fault(Op::kCreateFolder, "dorvax/1999", platform::kErrPathNotFound));
  ExpectStopBox("CD-ROMが入っていません。", "エラー", MsgIcon::kExclamation);
  ExpectCleanStop(outcome, 580);
  EXPECT_FALSE(frm.busy) << "no further call comes, so the normal pointer is back";
}

TEST_F(FaultTable, CreateOldFoldersAlreadyExists) {
  RunOutcome outcome = Run(Fault(Op::kCreateFolder, "dorvax/200001", platform::kErrFileAlreadyExists));
  ExpectStopBox("１枚目と同一のデータを含むCD-ROMが入っています。", "エラー", MsgIcon::kExclamation);
  ExpectCleanStop(outcome, 580);
}

TEST_F(FaultTable, CreateOldFoldersStationFileNotFound) {
  RunOutcome outcome = Run(Fault(Op::kCopyFile, "idx200001.csv", platform::kErrFileNotFound));
  ExpectStopBox("新版フォルダに観測所地点情報ファイルがありません。\r\n(ファイル名：\\200001\\idx200001.csv)",
                "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(0));
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, CreateOldFoldersDiskFull) {
  RunOutcome outcome = Run(Fault(Op::kCopyFile, "idx200001.csv", platform::kErrDiskFull));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(1));
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, CreateOldFoldersDiskFullAsFileSystemStatus) {
  RunOutcome outcome = Run(Fault(Op::kCreateFolder, "area44", platform::kStatusDiskFull));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, CreateOldFoldersOtherError) {
  RunOutcome outcome = Run(Fault(Op::kListFolder, "200001/", platform::kErrDeviceIo));
  ASSERT_GE(frm.boxes.size(), 2u);
  EXPECT_EQ(frm.boxes[1].box.text.rfind(kGeneric + "57 : ", 0), 0u) << frm.boxes[1].box.text;
  EXPECT_EQ(frm.boxes[1].box.title, "処理中断");
  EXPECT_TRUE(FocusedAfterStop(0));
  ExpectCleanStop(outcome, 99);
}

// ---- ConvertStationIndex: 53, 61 and any other number.

TEST_F(FaultTable, StationIndexFileNotFound) {
  RunOutcome outcome = Run(Fault(Op::kOpenRead, "idx199901.csv", platform::kErrFileNotFound));
  ExpectStopBox("新版フォルダに観測所地点情報ファイルがありません。\r\n(ファイル名：\\199901\\idx199901.csv)",
                "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(0));
  ExpectCleanStop(outcome, 111);
}

TEST_F(FaultTable, StationIndexDiskFullOnTheIdxFile) {
  RunOutcome outcome = Run(Fault(Op::kWrite, "IDX1999.01", platform::kErrDiskFull));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(1));
  ExpectCleanStop(outcome, 111);
  EXPECT_FALSE(fs::exists(target + "dorvax/1999/STNIDX/IDX/SIDX1999.01"));
}

TEST_F(FaultTable, StationIndexDiskFullOnTheSidxFile) {
  RunOutcome outcome = Run(Fault(Op::kOpenWrite, "SIDX1999.01", platform::kErrDiskFull));
  if (!fired) GTEST_SKIP() << "the generated month has no station with value E";
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  ExpectCleanStop(outcome, 111);
  EXPECT_EQ(ReadBytes(target + "dorvax/1999/STNIDX/IDX/IDX1999.01"),
            ReadBytes(reference + "dorvax/1999/STNIDX/IDX/IDX1999.01"))
      << "the IDX file was complete before the SIDX file was begun";
}

TEST_F(FaultTable, StationIndexOtherError) {
  RunOutcome outcome = Run(Fault(Op::kRead, "idx199901.csv", platform::kErrDeviceIo));
  ExpectStopBox("新版の観測所地点情報ファイルにエラーがあります。", "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(0));
  ExpectCleanStop(outcome, 111);
}

// ---- ConvertHourlyFiles: 62, 61 and any other number.

TEST_F(FaultTable, HourlyInputPastTheEnd) {
  // A real text-era file too short for its four header lines.
  std::string shortFile = AreaFolder(source, 200001, 44) + "ah44999_200001.csv";
  WriteBytes(shortFile, "one\r\ntwo\r\nthree\r\n");
  before = Snapshot(source);
  RunOutcome outcome = Run(Fault(Op::kOpenRead, "never", 0));
  ExpectStopBox("ファイル内のデータが足りません。新版データを確認してください。", "処理中断", MsgIcon::kCritical);
  EXPECT_FALSE(FocusedAfterStop(0));
  EXPECT_FALSE(FocusedAfterStop(1));
  fired = true;  // a real input, not an injected one
  ExpectCleanStop(outcome, 99);
  EXPECT_TRUE(fs::exists(target + "dorvax/1999/DVX1999.01")) << "records of the months before it stay";
  EXPECT_FALSE(fs::exists(target + "dorvax/200001/area44/h44999_200001.csv"));
}

TEST_F(FaultTable, HourlyInputPastTheEndInjected) {
  RunOutcome outcome = Run(Fault(Op::kRead, "200001/area44", platform::kErrInputPastEnd));
  ExpectStopBox("ファイル内のデータが足りません。新版データを確認してください。", "処理中断", MsgIcon::kCritical);
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, HourlyDiskFullOnTheRecords) {
  RunOutcome outcome = Run(Fault(Op::kWrite, "DVX1999.01", platform::kErrDiskFull));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(FocusedAfterStop(1));
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, HourlyDiskFullWhenTheRecordFileIsClosed) {
  RunOutcome outcome = Run(Fault(Op::kClose, "DVX1999.01", platform::kErrDiskFull));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, HourlyDiskFullOnATextFile) {
  RunOutcome outcome = Run(Fault(Op::kOpenWrite, "200001/area44/", platform::kErrDiskFull));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  ExpectCleanStop(outcome, 99);
}

TEST_F(FaultTable, HourlyOtherError) {
  RunOutcome outcome = Run(Fault(Op::kOpenRead, "200001/area11/", platform::kErrPermissionDenied));
  ASSERT_GE(frm.boxes.size(), 2u);
  EXPECT_EQ(frm.boxes[1].box.text.rfind(kGeneric + "70 : ", 0), 0u) << frm.boxes[1].box.text;
  EXPECT_EQ(frm.boxes[1].box.title, "処理中断");
  EXPECT_FALSE(FocusedAfterStop(0));
  ExpectCleanStop(outcome, 99);
}

// ---- cmdMain_Click: 61 and any other number that no step handles (the
// status line of the conversion is shown before its handler is armed), and
// a deletion that fails part-way.

TEST_F(FaultTable, ControllerDiskFull) {
  bool thrown = false;
  frm.onRepaint = [&](int16_t state) {
    if (state == 3 && !thrown) {
      thrown = true;
      throw platform::MakeError(platform::kErrDiskFull);
    }
  };
  RunOutcome outcome = Run(Fault(Op::kOpenRead, "never", 0));
  ExpectStopBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  fired = true;
  ExpectCleanStop(outcome, 99);
  EXPECT_EQ(outcome.errorNumber, 0);
}

TEST_F(FaultTable, ControllerOtherError) {
  bool thrown = false;
  frm.onRepaint = [&](int16_t state) {
    if (state == 3 && !thrown) {
      thrown = true;
      throw platform::MakeError(platform::kErrDeviceIo);
    }
  };
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kOk);
  RunOutcome outcome = PressRun(frm);
  ASSERT_EQ(frm.boxes.size(), 2u) << "no deletion is offered on this path";
  EXPECT_EQ(frm.boxes[1].box.text, msg::GenericError(57, platform::DescribeError(57)));
  EXPECT_EQ(frm.boxes[1].box.title, "エラー");
  EXPECT_EQ(outcome.errorNumber, 57);
  EXPECT_EQ(frm.run.intRunState, 3) << "the run state keeps its value on this path";
  EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
  EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
  EXPECT_FALSE(frm.busy);
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  EXPECT_EQ(Snapshot(source), before);
}

TEST_F(FaultTable, ControllerDeletionFailsMidway) {
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kOk, kDiskFull);
  // The deletion is accepted, and its third removal is refused.
  frm.Answer(MsgAnswer::kYes, kOfferDeletion,
             [] { platform::faults::Arm(Fault(Op::kDeleteEntry, "", platform::kErrPermissionDenied, 3)); });
  frm.Answer(MsgAnswer::kOk, kGeneric + "70 : ");
  RunOutcome outcome;
  {
    ScopedFault fault(Fault(Op::kWrite, "DVX1999.01", platform::kErrDiskFull));
    outcome = PressRun(frm);
  }
  ASSERT_EQ(frm.boxes.size(), 4u) << ::testing::PrintToString(frm.BoxTexts());
  EXPECT_EQ(frm.boxes[3].box.title, "エラー");
  EXPECT_EQ(outcome.errorNumber, 70);
  EXPECT_EQ(outcome.result, StepResult::kStopped);
  EXPECT_TRUE(fs::is_directory(target + "dorvax")) << "the tree stays as far as it was not deleted";
  EXPECT_LT(FilesBelow(target + "dorvax").size(), FilesBelow(reference + "dorvax").size());
  ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
  EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
  EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  EXPECT_EQ(Snapshot(source), before);
}

}  // namespace
}  // namespace dorvax::testing
