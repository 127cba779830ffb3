// The conversion's share of the progress bar, observed file by file: every
// call of AdvanceProgress is recorded with the number of output files
// written at that moment.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "convert_test_tree.h"
#include "hourly/convert_hourly_files.h"
#include "hourly/progress_share.h"
#include "platform/file_system.h"

namespace dorvax {
namespace {

using testing::FakeWindow;
using testing::HourlyFile;
using testing::HourlyFileName;
using testing::HourlyTree;

// (files converted so far, steps)
using Call = std::pair<int32_t, int32_t>;

// A window that records every AdvanceProgress with the number of output
// files written at that moment, over passes of text-era files.
class ConversionProgress : public ::testing::Test {
 protected:
  ConversionProgress() {
    frm.SetProgressValue(20);  // the checks and the folder tree have taken theirs
    frm.onAdvance = [this](int32_t steps) {
      int32_t written = platform::FolderExists(outputFolder) ? platform::CountFiles(outputFolder) : 0;
      calls.emplace_back(written, steps);
    };
  }

  // `files` text-era files of four lines; the window counts on `counted`.
  void BuildPass(HourlyTree& tree, int files, int32_t counted, int16_t passes = 1) {
    for (int i = 1; i <= files; ++i)
      tree.AddFile("200405", "area44", HourlyFileName({44000 + i}, "200405"), HourlyFile(i, "200405", {}));
    tree.Attach(frm, counted, passes);
    outputFolder = tree.Dst("200405/area44");
    calls.clear();
  }

  StepResult ConvertPass(int16_t pass = 1) {
    StepResult result = StepResult::kGoOn;
    ConvertHourlyFiles(frm.run, frm, pass, result);
    return result;
  }

  int32_t StepsTaken() const {
    return static_cast<int32_t>(std::count_if(calls.begin(), calls.end(), [](const Call& c) { return c.second != 0; }));
  }
  int32_t UnitsTaken() const {
    int32_t sum = 0;
    for (const Call& c : calls) sum += c.second;
    return sum;
  }

  HourlyTree tree;
  FakeWindow frm;
  std::string outputFolder;
  std::vector<Call> calls;
};

TEST(MilestoneStep, RoundsAHalfToTheEvenNeighbour) {
  EXPECT_EQ(MilestoneStep(20), 1);
  EXPECT_EQ(MilestoneStep(29), 1);  // 1.45
  EXPECT_EQ(MilestoneStep(30), 2);  // 1.5 -> 2
  EXPECT_EQ(MilestoneStep(50), 2);  // 2.5 -> 2
  EXPECT_EQ(MilestoneStep(70), 4);  // 3.5 -> 4
  EXPECT_EQ(MilestoneStep(51), 3);  // 2.55
}

// The handled counts at which the bar steps, `step` apart up to `last`, then `more`.
std::vector<int> Every(int step, int last, std::vector<int> more = {}) {
  std::vector<int> at;
  for (int h = step; h <= last; h += step) at.push_back(h);
  at.insert(at.end(), more.begin(), more.end());
  return at;
}

struct PassRow {
  const char* name;
  int files;            // files the walk meets
  int32_t counted;      // files the tree step counted
  int32_t steps;        // steps the bar takes for its 80 units
  std::vector<int> at;  // when told: the handled count at every step, in order
};

void PrintTo(const PassRow& row, std::ostream* out) { *out << row.name; }

class PassShare : public ConversionProgress, public ::testing::WithParamInterface<PassRow> {};

// Whatever the walk meets, a pass takes exactly its 80 units and no step
// after the last counted file; the window pauses at every tenth file.
TEST_P(PassShare, TakesItsUnitsAtItsMilestones) {
  const PassRow& row = GetParam();
  BuildPass(tree, row.files, row.counted);
  EXPECT_EQ(ConvertPass(), StepResult::kGoOn);
  EXPECT_TRUE(frm.boxes.empty());
  EXPECT_EQ(UnitsTaken(), 80);
  EXPECT_EQ(StepsTaken(), row.steps);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
  if (row.counted > 0) {
    for (const Call& call : calls) {
      if (call.second != 0) {
        EXPECT_LE(call.first, row.counted);
      }
    }
  }
  if (row.at.empty()) return;
  std::vector<Call> expected;
  for (int h = 1; h <= row.files; ++h) {
    if (h % 10 == 0) expected.push_back({h, 0});
    for (int at : row.at)
      if (at == h) expected.push_back({h, 80 / row.steps});
  }
  EXPECT_EQ(calls, expected);
}

INSTANTIATE_TEST_SUITE_P(ConversionProgress, PassShare,
                         ::testing::Values(PassRow{"NineteenFilesMoveTheBarOnceAtTheLastFile", 19, 19, 1, {19}},
                                           PassRow{"TwentyFilesTakeOneStepEach", 20, 20, 20, Every(1, 20)},
                                           PassRow{"FiftyFilesReachMilestonesTwoToThirtyEightAndFifty", 50, 50, 20,
                                                   Every(2, 38, {50})},
                                           // Step 2: milestones 16 to 19 would be 32 to 38, beyond the 30 files.
                                           PassRow{"ThirtyFilesTakeTheUnreachableMilestonesAtTheLastFile", 30, 30, 20,
                                                   Every(2, 30, {30, 30, 30, 30, 30})},
                                           PassRow{"MoreFilesThanCounted", 25, 20, 20, {}},
                                           PassRow{"MoreFilesThanCountedWithAStepOfTwo", 33, 30, 20, {}},
                                           PassRow{"FewerFilesThanCounted", 20, 25, 20, {}},
                                           PassRow{"FewerFilesThanCountedBelowTwenty", 5, 10, 1, {}},
                                           PassRow{"NoneCounted", 3, 0, 1, {}}, PassRow{"NoFileMet", 0, 20, 20, {}}),
                         [](const ::testing::TestParamInfo<PassRow>& info) { return std::string(info.param.name); });

TEST_F(ConversionProgress, EachOfTwoPassesAddsForty) {
  HourlyTree disc2;
  BuildPass(tree, 20, 20, 2);
  EXPECT_EQ(ConvertPass(1), StepResult::kGoOn);
  EXPECT_EQ(StepsTaken(), 20);
  EXPECT_EQ(UnitsTaken(), 40);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 60);

  BuildPass(disc2, 7, 7, 2);
  EXPECT_EQ(ConvertPass(2), StepResult::kGoOn);
  EXPECT_EQ(calls, (std::vector<Call>{{7, 40}}));
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST_F(ConversionProgress, LeavingOutTheLastFileStillCompletesThePass) {
  BuildPass(tree, 19, 20);
  tree.AddFile("200405", "area44", "zz.csv", "");
  frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kOk);
  EXPECT_EQ(ConvertPass(), StepResult::kGoOn);
  EXPECT_EQ(StepsTaken(), 20);
  EXPECT_EQ(calls.back(), (Call{19, 4}));
  // A left-out file only takes the step: the 20th adds no pause of its own
  // (the question box has just let the window work).
  EXPECT_EQ(calls.size(), 21u);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST_F(ConversionProgress, TheBarNeverGoesPastItsEnd) {
  // The steps before took more than their 20 units.
  BuildPass(tree, 20, 20);
  frm.SetProgressValue(30);
  EXPECT_EQ(ConvertPass(), StepResult::kGoOn);
  EXPECT_TRUE(frm.boxes.empty());
  // 17 steps of 4 reach 98; the 18th is cut to 2 and the last two add
  // nothing, yet every milestone still lets the window breathe.
  EXPECT_EQ(calls.size(), 22u);
  EXPECT_EQ(StepsTaken(), 18);
  EXPECT_EQ(UnitsTaken(), 70);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

}  // namespace
}  // namespace dorvax
