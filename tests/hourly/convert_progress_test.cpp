// The conversion's share of the progress bar, observed file by file: every
// call of AdvanceProgress is recorded with the number of output files
// written at that moment.
#include <gtest/gtest.h>

#include <numeric>
#include <utility>

#include "convert_test_tree.h"
#include "hourly/convert_hourly_files.h"
#include "hourly/progress_share.h"
#include "platform/file_system.h"

namespace dorvax {
namespace {

using testing::FakeWindow;
using testing::HourlyFile;
using testing::HourlyTree;

// (files converted so far, steps)
using Call = std::pair<int32_t, int32_t>;

class RecordingWindow : public FakeWindow {
 public:
  std::string outputFolder;
  std::vector<Call> calls;

  RecordingWindow() {
    onAdvance = [this](int32_t steps) {
      int32_t written = platform::FolderExists(outputFolder) ? platform::CountFiles(outputFolder) : 0;
      calls.emplace_back(written, steps);
    };
  }

  int32_t StepsTaken() const {
    int32_t n = 0;
    for (const Call& c : calls) n += c.second != 0;
    return n;
  }
  int32_t UnitsTaken() const {
    int32_t sum = 0;
    for (const Call& c : calls) sum += c.second;
    return sum;
  }
};

std::string TextEraName(int station) {
  char name[32];
  std::snprintf(name, sizeof name, "ah44%03d_200405.csv", station);
  return name;
}

// `files` text-era files of four lines; the window counts on `counted`.
void BuildPass(HourlyTree& tree, RecordingWindow& frm, int files, int32_t counted, int16_t passes = 1) {
  for (int i = 1; i <= files; ++i) tree.AddFile("200405", "area44", TextEraName(i), HourlyFile(i, 4, 5, {}));
  tree.Attach(frm, counted, passes);
  frm.outputFolder = tree.Dst("200405/area44");
  frm.SetProgressValue(20);  // the checks and the folder tree have taken theirs
}

StepResult ConvertPass(FakeWindow& frm, int16_t pass = 1) {
  StepResult result = StepResult::kGoOn;
  ConvertHourlyFiles(frm.run, frm, pass, result);
  return result;
}

TEST(MilestoneStep, RoundsAHalfToTheEvenNeighbour) {
  EXPECT_EQ(MilestoneStep(20), 1);
  EXPECT_EQ(MilestoneStep(29), 1);   // 1.45
  EXPECT_EQ(MilestoneStep(30), 2);   // 1.5 -> 2
  EXPECT_EQ(MilestoneStep(50), 2);   // 2.5 -> 2
  EXPECT_EQ(MilestoneStep(70), 4);   // 3.5 -> 4
  EXPECT_EQ(MilestoneStep(51), 3);   // 2.55
}

TEST(ConversionProgress, NineteenFilesMoveTheBarOnceAtTheLastFile) {
  HourlyTree tree;
  RecordingWindow frm;
  BuildPass(tree, frm, 19, 19);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_EQ(frm.calls, (std::vector<Call>{{10, 0}, {19, 80}}));
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST(ConversionProgress, TwentyFilesTakeOneStepEach) {
  HourlyTree tree;
  RecordingWindow frm;
  BuildPass(tree, frm, 20, 20);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  std::vector<Call> expected;
  for (int h = 1; h <= 20; ++h) {
    if (h % 10 == 0) expected.push_back({h, 0});
    expected.push_back({h, 4});
  }
  EXPECT_EQ(frm.calls, expected);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST(ConversionProgress, FiftyFilesReachMilestonesTwoToThirtyEightAndFifty) {
  HourlyTree tree;
  RecordingWindow frm;
  BuildPass(tree, frm, 50, 50);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  std::vector<Call> expected;
  for (int h = 1; h <= 50; ++h) {
    if (h % 10 == 0) expected.push_back({h, 0});
    if ((h % 2 == 0 && h <= 38) || h == 50) expected.push_back({h, 4});
  }
  EXPECT_EQ(frm.calls, expected);
  EXPECT_EQ(frm.StepsTaken(), 20);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST(ConversionProgress, ThirtyFilesTakeTheUnreachableMilestonesAtTheLastFile) {
  // Step 2: milestones 16 to 19 would be 32 to 38, beyond the 30 files.
  HourlyTree tree;
  RecordingWindow frm;
  BuildPass(tree, frm, 30, 30);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  std::vector<Call> expected;
  for (int h = 1; h <= 30; ++h) {
    if (h % 10 == 0) expected.push_back({h, 0});
    if (h % 2 == 0) expected.push_back({h, 4});
  }
  for (int i = 16; i <= 20; ++i) expected.push_back({30, 4});
  EXPECT_EQ(frm.calls, expected);
  EXPECT_EQ(frm.StepsTaken(), 20);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST(ConversionProgress, EachOfTwoPassesAddsForty) {
  HourlyTree disc1;
  HourlyTree disc2;
  RecordingWindow frm;
  BuildPass(disc1, frm, 20, 20, 2);
  EXPECT_EQ(ConvertPass(frm, 1), StepResult::kGoOn);
  EXPECT_EQ(frm.StepsTaken(), 20);
  EXPECT_EQ(frm.UnitsTaken(), 40);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 60);

  frm.calls.clear();
  for (int i = 1; i <= 7; ++i) disc2.AddFile("200405", "area44", TextEraName(i), HourlyFile(i, 4, 5, {}));
  disc2.Attach(frm, 7, 2);
  frm.outputFolder = disc2.Dst("200405/area44");
  EXPECT_EQ(ConvertPass(frm, 2), StepResult::kGoOn);
  EXPECT_EQ(frm.calls, (std::vector<Call>{{7, 40}}));
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST(ConversionProgress, APassAddsExactlyItsShareWhenTheWalkMeetsMoreOrFewerFiles) {
  struct Case {
    int files;
    int32_t counted;
    int32_t steps;
  };
  // More files than counted; fewer (with and without milestones); none counted.
  for (Case c : {Case{25, 20, 20}, Case{33, 30, 20}, Case{20, 25, 20}, Case{5, 10, 1}, Case{3, 0, 1},
                 Case{0, 20, 20}}) {
    HourlyTree tree;
    RecordingWindow frm;
    BuildPass(tree, frm, c.files, c.counted);
    EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn) << c.files << " files, " << c.counted << " counted";
    // Files beyond the count move nothing: the last step comes at the last counted file.
    if (c.counted > 0) {
      for (const Call& call : frm.calls) {
        if (call.second == 0) continue;
        EXPECT_LE(call.first, c.counted) << c.files << " files, " << c.counted << " counted";
      }
    }
    EXPECT_EQ(frm.UnitsTaken(), 80) << c.files << " files, " << c.counted << " counted";
    EXPECT_EQ(frm.StepsTaken(), c.steps) << c.files << " files, " << c.counted << " counted";
    EXPECT_TRUE(frm.boxes.empty());
    EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
  }
}

TEST(ConversionProgress, LeavingOutTheLastFileStillCompletesThePass) {
  HourlyTree tree;
  RecordingWindow frm;
  BuildPass(tree, frm, 19, 20);
  tree.AddFile("200405", "area44", "zz.csv", "");
  frm.Answer(MsgAnswer::kYes);
  frm.Answer(MsgAnswer::kOk);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_EQ(frm.StepsTaken(), 20);
  EXPECT_EQ(frm.calls.back(), (Call{19, 4}));
  // A left-out file only takes the step: the 20th adds no pause of its own
  // (the question box has just let the window work).
  EXPECT_EQ(frm.calls.size(), 21u);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

TEST(ConversionProgress, TheBarNeverGoesPastItsEnd) {
  // The steps before took more than their 20 units.
  HourlyTree tree;
  RecordingWindow frm;
  BuildPass(tree, frm, 20, 20);
  frm.SetProgressValue(30);
  EXPECT_EQ(ConvertPass(frm), StepResult::kGoOn);
  EXPECT_TRUE(frm.boxes.empty());
  // 17 steps of 4 reach 98; the 18th is cut to 2 and the last two add
  // nothing, yet every milestone still lets the window breathe.
  EXPECT_EQ(frm.calls.size(), 22u);
  EXPECT_EQ(frm.StepsTaken(), 18);
  EXPECT_EQ(frm.UnitsTaken(), 70);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 100);
}

}  // namespace
}  // namespace dorvax
