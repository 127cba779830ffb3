// Every operation of a whole run fails once, in turn: for N = 1, 2, ... the
// N-th call of one kind of platform operation fails, until a run completes
// without reaching the N-th call. Each stopped run must show the box of the
// step it stopped in, end with that step's result, close every file, leave
// the source unchanged and leave the destination as a complete run writes
// it, cut short.
#include <gtest/gtest.h>

#include <filesystem>
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
using platform::faults::Op;

using namespace texts;

struct LoopCase {
  const char* name;
  Op op;
  int32_t errorNumber;
};

void PrintTo(const LoopCase& row, std::ostream* out) { *out << row.name; }

class FaultLoop : public ::testing::TestWithParam<LoopCase> {
 protected:
  static void SetUpTestSuite() {
    root = new TempDir;
    // Both eras, two areas, a few stations: every kind of output.
    WriteSourceTree(Source(), {199812, 199901, 200001}, 4);
    ConvertCompletely(Source(), Reference());
  }
  static void TearDownTestSuite() {
    delete root;
    root = nullptr;
  }
  static std::string Source() { return *root / "src/"; }
  static std::string Reference() { return *root / "ref/"; }

  // One run with the N-th call failing; false once the call is never made.
  bool RunFailingAt(int64_t n) {
    SCOPED_TRACE(std::string(GetParam().name) + " failing at call " + std::to_string(n));
    std::string target = *root / "dst/";
    std::error_code ec;
    fs::remove_all(target, ec);
    fs::create_directories(target);
    TreeState before = Snapshot(Source());
    int openBefore = platform::OpenFileCount();

    FakeWindow frm;
    PrepareFolderRun(frm, Source(), target);
    frm.Answer(MsgAnswer::kOk);                  // the stop box, or the completion notice
    frm.Answer(MsgAnswer::kNo, kOfferDeletion);  // the deletion offer
    platform::faults::Plan plan;
    plan.op = GetParam().op;
    plan.failAt = n;
    plan.errorNumber = GetParam().errorNumber;
    RunOutcome outcome;
    bool fired;
    {
      platform::faults::ScopedFault fault(plan);
      outcome = Press(frm, 0);
      fired = platform::faults::Fired();
    }

    EXPECT_EQ(platform::OpenFileCount(), openBefore);
    EXPECT_EQ(Snapshot(Source()), before);
    EXPECT_EQ(frm.run.intRunState, 0);
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
    EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
    EXPECT_EQ(frm.unexpectedBoxes, 0);
    if (!fired) {
      EXPECT_TRUE(outcome.completed) << ::testing::PrintToString(frm.BoxTexts());
      EXPECT_EQ(Snapshot(target), Snapshot(Reference()));
      return false;
    }
    EXPECT_FALSE(outcome.completed);
    ExpectStepStop(frm, outcome);
    if (fs::exists(target + "dorvax")) ExpectWrittenAsFar(target + "dorvax", Reference() + "dorvax");
    ++stops[frm.runStateAtBox.size() > 1 ? frm.runStateAtBox[1] : -1];
    return true;
  }

  // The stop box and result of the step that met the failure, told by the
  // run state when the box came.
  void ExpectStepStop(FakeWindow& frm, const RunOutcome& outcome) {
    ASSERT_GE(frm.boxes.size(), 2u);
    const std::string& text = frm.boxes[1].box.text;
    int16_t state = frm.runStateAtBox[1];
    bool diskFull = platform::IsDiskFull(GetParam().errorNumber);
    if (state == 1) {
      // The checks know access denied only; the rest is their generic box.
      EXPECT_EQ(text.rfind(kGeneric + std::to_string(GetParam().errorNumber) + " : ", 0), 0u) << text;
      EXPECT_EQ(outcome.result, StepResult::kSameFolder);
      EXPECT_EQ(frm.boxes.size(), 2u) << "no deletion offer before the tree was begun";
      return;
    }
    ASSERT_EQ(frm.boxes.size(), 3u) << ::testing::PrintToString(frm.BoxTexts());
    EXPECT_EQ(frm.boxes[2].box.text, kOfferDeletion);
    if (diskFull) {
      EXPECT_EQ(text, kDiskFull);
    } else {
      EXPECT_FALSE(text.empty());
    }
    if (state == 2) {
      EXPECT_TRUE(ResultNumber(outcome.result) == 99 || ResultNumber(outcome.result) == 111)
          << ResultNumber(outcome.result);
    } else {
      EXPECT_EQ(state, 3);
      EXPECT_EQ(outcome.result, StepResult::kStopped);
    }
  }

  static TempDir* root;
  std::map<int, int> stops;  // stops by the run state of the step
};

TempDir* FaultLoop::root = nullptr;

TEST_P(FaultLoop, EveryCallFailsOnceInTurn) {
  int64_t n = 1;
  while (RunFailingAt(n)) {
    if (HasFailure()) break;  // one broken run is enough to look at
    ASSERT_LT(++n, 2000) << "the loop does not end";
  }
  EXPECT_GT(n, 1) << "the operation is never used in a run";
  std::string seen;
  for (auto [state, count] : stops) seen += " state " + std::to_string(state) + ": " + std::to_string(count);
  std::printf("%s: %lld runs stopped;%s\n", GetParam().name, static_cast<long long>(n - 1), seen.c_str());
}

INSTANTIATE_TEST_SUITE_P(WholeRun, FaultLoop,
                         ::testing::Values(LoopCase{"OpenForWritingDiskFull", Op::kOpenWrite, platform::kErrDiskFull},
                                           LoopCase{"WriteDiskFull", Op::kWrite, platform::kErrDiskFull},
                                           LoopCase{"CloseDiskFull", Op::kClose, platform::kErrDiskFull},
                                           LoopCase{"CreateFolderDiskFull", Op::kCreateFolder, platform::kErrDiskFull},
                                           LoopCase{"CopyDiskFull", Op::kCopyFile, platform::kErrDiskFull},
                                           LoopCase{"SetAttributesDiskFull", Op::kSetAttributes,
                                                    platform::kErrDiskFull},
                                           LoopCase{"OpenForReadingDeviceError", Op::kOpenRead, platform::kErrDeviceIo},
                                           LoopCase{"ReadDeviceError", Op::kRead, platform::kErrDeviceIo},
                                           LoopCase{"ListFolderDeviceError", Op::kListFolder, platform::kErrDeviceIo},
                                           LoopCase{"AnyOperationDiskFull", Op::kAny, platform::kErrDiskFull}),
                         [](const ::testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dorvax::testing
