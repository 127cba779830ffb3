// Every row of every step's failure table, driven by an injected failure of
// the platform operation the step is doing at that moment: the box of the
// row, the result, the focus, and afterwards every file closed, the source
// unchanged and the destination as far as a complete run had written it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/run_error.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;
using platform::faults::Op;
using platform::faults::Plan;
using platform::faults::ScopedFault;

Plan Fault(Op op, const std::string& pathContains, int32_t number, int64_t failAt = 1) {
  Plan plan;
  plan.op = op;
  plan.pathContains = pathContains;
  plan.errorNumber = number;
  plan.failAt = failAt;
  return plan;
}

// A plan that never fires, for the rows whose failure comes from the input
// or from the window.
const Plan kNoFault = Fault(Op::kOpenRead, "never", 0);

struct FaultTable : FaultRunTest {
  void SetUp() override {
    WriteSourceTree(source, {199901, 200001}, 4);
    MakeReference();
    fs::create_directories(target);
    openBefore = platform::OpenFileCount();
  }

  // A run with `plan` armed from the confirmation on; the stop box is
  // answered OK and the deletion offer, if it comes, No.
  RunOutcome Run(const Plan& plan) {
    before = Snapshot(source);
    PrepareFolderRun(frm, source, target);
    frm.Answer(MsgAnswer::kOk);
    frm.Answer(MsgAnswer::kNo, kOfferDeletion);
    ScopedFault fault(plan);
    RunOutcome outcome = Press(frm, 0);
    fired = platform::faults::Fired();
    return outcome;
  }

  // The focus given right after the stop box, as FocusFolderBox records it.
  bool FocusedAfterStop(int side) const {
    std::string wanted = "FocusFolderBox(" + std::to_string(side) + ")";
    auto box = std::find_if(frm.log.begin(), frm.log.end(), [](const std::string& e) {
      return e.rfind("box[", 0) == 0 && e.find(kConfirmRun) == std::string::npos;
    });
    return box != frm.log.end() && box + 1 != frm.log.end() && *(box + 1) == wanted;
  }

  // The window idle, nothing open and the source as it was.
  void ExpectIdleAndClean() {
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
    EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
    EXPECT_EQ(platform::OpenFileCount(), openBefore);
    EXPECT_EQ(Snapshot(source), before);
  }

  FakeWindow frm;
  TreeState before;
  int openBefore = 0;
  bool fired = false;
};

enum class Focus { kSource, kDestination, kNone, kUnchecked };

struct FaultRow {
  const char* name;
  Plan plan;
  std::string text;  // the stop box's text ("<dst>" stands for the destination folder)
  bool textStart;    // only the start of the text is told
  const char* title;
  MsgIcon icon;
  Focus focus;
  int result;
  bool offersDeletion;
  std::function<void(FaultTable&)> prepare = {};                   // before the run: the input or the window
  std::function<void(FaultTable&, const RunOutcome&)> check = {};  // after the run: what the row adds
  bool mayNotFire = false;  // the generated tree may give the fault no call to fail
};

void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }

class FaultRows : public FaultTable, public ::testing::WithParamInterface<FaultRow> {};

// Whatever the row: the fault fired, the run stopped with the row's box,
// focus and result and (when the tree was begun) the deletion offer,
// nothing stays open, the source is unchanged and the output is the
// complete output cut short.
TEST_P(FaultRows, StopsWithTheBoxOfItsStep) {
  const FaultRow& row = GetParam();
  if (row.prepare) row.prepare(*this);
  RunOutcome outcome = Run(row.plan);
  if (!fired && row.mayNotFire) GTEST_SKIP() << "the generated tree gives the fault no call";
  if (row.plan.errorNumber != 0) {
    EXPECT_TRUE(fired) << "the armed fault never fired";
  }
  ASSERT_EQ(frm.boxes.size(), row.offersDeletion ? 3u : 2u) << ::testing::PrintToString(frm.BoxTexts());
  std::string text = row.text;
  if (std::size_t at = text.find("<dst>"); at != std::string::npos) text.replace(at, 5, target);
  const MessageBoxRequest& stop = frm.boxes[1].box;
  EXPECT_EQ(row.textStart ? stop.text.substr(0, text.size()) : stop.text, text);
  EXPECT_EQ(stop.title, row.title);
  EXPECT_EQ(stop.icon, row.icon);
  if (row.focus != Focus::kUnchecked) {
    EXPECT_EQ(FocusedAfterStop(0), row.focus == Focus::kSource);
    EXPECT_EQ(FocusedAfterStop(1), row.focus == Focus::kDestination);
  }
  if (row.offersDeletion) {
    EXPECT_EQ(frm.boxes[2].box.text, kOfferDeletion);
  }
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(ResultNumber(outcome.result), row.result);
  EXPECT_EQ(frm.run.intRunState, 0);
  ExpectIdleAndClean();
  if (fs::exists(target + "dorvax")) ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
  if (row.check) row.check(*this, outcome);
}

// The window's repaint fails once the conversion has begun, before any
// step's handler is armed: the controller meets the failure.
void FailAtConversionRepaint(FaultTable& t, int32_t number) {
  t.frm.onRepaint = [number, thrown = false](int16_t state) mutable {
    if (state == 3 && !thrown) {
      thrown = true;
      throw platform::MakeError(number);
    }
  };
}

const int32_t kDeniedError = platform::kErrPermissionDenied;
const int32_t kDeviceError = platform::kErrDeviceIo;
const int32_t kFullError = platform::kErrDiskFull;
const MsgIcon kStop = MsgIcon::kCritical;

INSTANTIATE_TEST_SUITE_P(
    FaultTable, FaultRows,
    ::testing::Values(
        // CheckFolders: 70 and any other number.
        FaultRow{"CheckFoldersAccessDenied", Fault(Op::kCreateFolder, "dorvax", kDeniedError), kAccessDenied, false,
                 "エラー", kStop, Focus::kDestination, 2, false},
        FaultRow{"CheckFoldersOtherError", Fault(Op::kCreateFolder, "dorvax", kDeviceError),
                 kGeneric + "57 : " + platform::DescribeError(57) + " (<dst>dorvax/ [injected])", false, "処理中断",
                 kStop, Focus::kNone, 2, false},
        // CreateOldFolders: 76, 58, 53, 61 and any other number.
        FaultRow{"CreateOldFoldersPathNotFound",
                 Fault(Op::kCreateFolder, "dorvax/1999", platform::kErrPathNotFound),
                 kNoDisc,
                 false,
                 "エラー",
                 MsgIcon::kExclamation,
                 Focus::kNone,
                 580,
                 true,
                 {},
                 [](FaultTable& t, const RunOutcome&) {
                   EXPECT_FALSE(t.frm.busy) << "no further call comes: the normal pointer";
                 }},
        FaultRow{"CreateOldFoldersAlreadyExists",
                 Fault(Op::kCreateFolder, "dorvax/200001", platform::kErrFileAlreadyExists), kSameDisc, false, "エラー",
                 MsgIcon::kExclamation, Focus::kNone, 580, true},
        FaultRow{"CreateOldFoldersStationFileNotFound",
                 Fault(Op::kCopyFile, "idx200001.csv", platform::kErrFileNotFound), StationFileMissing("200001"), false,
                 "処理中断", kStop, Focus::kSource, 99, true},
        FaultRow{"CreateOldFoldersDiskFull", Fault(Op::kCopyFile, "idx200001.csv", kFullError), kDiskFull, false,
                 "処理中断", kStop, Focus::kDestination, 99, true},
        FaultRow{"CreateOldFoldersDiskFullAsFileSystemStatus",
                 Fault(Op::kCreateFolder, "area44", platform::kStatusDiskFull), kDiskFull, false, "処理中断", kStop,
                 Focus::kDestination, 99, true},
        FaultRow{"CreateOldFoldersOtherError", Fault(Op::kListFolder, "200001/", kDeviceError),
                 kGeneric + "57 : ", true, "処理中断", kStop, Focus::kSource, 99, true},
        // ConvertStationIndex: 53, 61 and any other number.
        FaultRow{"StationIndexFileNotFound", Fault(Op::kOpenRead, "idx199901.csv", platform::kErrFileNotFound),
                 StationFileMissing("199901"), false, "処理中断", kStop, Focus::kSource, 111, true},
        FaultRow{"StationIndexDiskFullOnTheIdxFile",
                 Fault(Op::kWrite, "IDX1999.01", kFullError),
                 kDiskFull,
                 false,
                 "処理中断",
                 kStop,
                 Focus::kDestination,
                 111,
                 true,
                 {},
                 [](FaultTable& t, const RunOutcome&) {
                   EXPECT_FALSE(fs::exists(t.target + "dorvax/1999/STNIDX/IDX/SIDX1999.01"));
                 }},
        FaultRow{"StationIndexDiskFullOnTheSidxFile",
                 Fault(Op::kOpenWrite, "SIDX1999.01", kFullError),
                 kDiskFull,
                 false,
                 "処理中断",
                 kStop,
                 Focus::kDestination,
                 111,
                 true,
                 {},
                 [](FaultTable& t, const RunOutcome&) {
                   EXPECT_EQ(ReadBytes(t.target + "dorvax/1999/STNIDX/IDX/IDX1999.01"),
                             ReadBytes(t.reference + "dorvax/1999/STNIDX/IDX/IDX1999.01"))
                       << "the IDX file was complete before the SIDX file was begun";
                 },
                 true},
        FaultRow{"StationIndexOtherError", Fault(Op::kRead, "idx199901.csv", kDeviceError), kStationFileError, false,
                 "処理中断", kStop, Focus::kSource, 111, true},
        // ConvertHourlyFiles: 62, 61 and any other number.
        FaultRow{"HourlyInputPastTheEnd", kNoFault, kShortFile, false, "処理中断", kStop, Focus::kNone, 99, true,
                 // A real text-era file too short for its four header lines.
                 [](FaultTable& t) {
                   WriteBytes(AreaFolder(t.source, 200001, 44) + "ah44999_200001.csv", "one\r\ntwo\r\nthree\r\n");
                 },
                 [](FaultTable& t, const RunOutcome&) {
                   EXPECT_TRUE(fs::exists(t.target + "dorvax/1999/DVX1999.01")) << "the months before it stay";
                   EXPECT_FALSE(fs::exists(t.target + "dorvax/200001/area44/h44999_200001.csv"));
                 }},
        FaultRow{"HourlyInputPastTheEndInjected", Fault(Op::kRead, "200001/area44", platform::kErrInputPastEnd),
                 kShortFile, false, "処理中断", kStop, Focus::kNone, 99, true},
        FaultRow{"HourlyDiskFullOnTheRecords", Fault(Op::kWrite, "DVX1999.01", kFullError), kDiskFull, false,
                 "処理中断", kStop, Focus::kDestination, 99, true},
        FaultRow{"HourlyDiskFullWhenTheRecordFileIsClosed", Fault(Op::kClose, "DVX1999.01", kFullError), kDiskFull,
                 false, "処理中断", kStop, Focus::kDestination, 99, true},
        FaultRow{"HourlyDiskFullOnATextFile", Fault(Op::kOpenWrite, "200001/area44/", kFullError), kDiskFull, false,
                 "処理中断", kStop, Focus::kDestination, 99, true},
        FaultRow{"HourlyOtherError", Fault(Op::kOpenRead, "200001/area11/", kDeniedError), kGeneric + "70 : ", true,
                 "処理中断", kStop, Focus::kNone, 99, true},
        // cmdMain_Click: a full disk that no step handles.
        FaultRow{"ControllerDiskFull", kNoFault, kDiskFull, false, "処理中断", kStop, Focus::kUnchecked, 99, true,
                 [](FaultTable& t) { FailAtConversionRepaint(t, kFullError); },
                 [](FaultTable&, const RunOutcome& outcome) { EXPECT_EQ(outcome.errorNumber, 0); }}),
    [](const ::testing::TestParamInfo<FaultRow>& info) { return std::string(info.param.name); });

TEST_F(FaultTable, CheckFoldersDeletionOfTheOldTreeFailsMidway) {
  MakeFolders(target + "dorvax/1999/STNIDX/IDX/");
  for (const char* name : {"a", "b", "c", "d"}) WriteBytes(target + "dorvax/1999/" + name, name);
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kYes, kDeleteOldTree);
  frm.Answer(MsgAnswer::kOk, kAccessDenied);
  RunOutcome outcome;
  {
    ScopedFault fault(Fault(Op::kDeleteEntry, "", kDeniedError, 3));
    outcome = Press(frm, 0);
  }
  EXPECT_EQ(frm.boxes.size(), 3u);
  EXPECT_EQ(outcome.result, StepResult::kSameFolder);
  std::vector<std::string> left = FilesBelow(target + "dorvax");
  EXPECT_FALSE(left.empty()) << "the deletion stopped part-way";
  EXPECT_LT(left.size(), 4u) << "what was deleted before stays deleted";
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
}

// Any other failure that no step handles: the generic box titled "エラー",
// no deletion offer, and the run state kept until the next run.
TEST_F(FaultTable, ControllerOtherError) {
  FailAtConversionRepaint(*this, kDeviceError);
  before = Snapshot(source);
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kOk);
  RunOutcome outcome = Press(frm, 0);
  ASSERT_EQ(frm.boxes.size(), 2u) << "no deletion is offered on this path";
  EXPECT_TRUE(BoxIs(frm.boxes[1], kGeneric + "57 : " + platform::DescribeError(57), "エラー", kStop));
  EXPECT_EQ(outcome.errorNumber, 57);
  EXPECT_EQ(frm.run.intRunState, 3) << "the run state keeps its value on this path";
  EXPECT_FALSE(frm.busy);
  ExpectIdleAndClean();
}

TEST_F(FaultTable, ControllerDeletionFailsMidway) {
  before = Snapshot(source);
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kOk, kDiskFull);
  // The deletion is accepted, and its third removal is refused.
  frm.Answer(MsgAnswer::kYes, kOfferDeletion,
             [] { platform::faults::Arm(Fault(Op::kDeleteEntry, "", kDeniedError, 3)); });
  frm.Answer(MsgAnswer::kOk, kGeneric + "70 : ");
  RunOutcome outcome;
  {
    ScopedFault fault(Fault(Op::kWrite, "DVX1999.01", kFullError));
    outcome = Press(frm, 0);
  }
  ASSERT_EQ(frm.boxes.size(), 4u) << ::testing::PrintToString(frm.BoxTexts());
  EXPECT_EQ(frm.boxes[3].box.title, "エラー");
  EXPECT_EQ(outcome.errorNumber, 70);
  EXPECT_EQ(outcome.result, StepResult::kStopped);
  EXPECT_TRUE(fs::is_directory(target + "dorvax")) << "the tree stays as far as it was not deleted";
  EXPECT_LT(FilesBelow(target + "dorvax").size(), FilesBelow(reference + "dorvax").size());
  ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
  ExpectIdleAndClean();
}

}  // namespace
}  // namespace dorvax::testing
