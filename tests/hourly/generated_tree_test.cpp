// Whole passes over generated new-edition trees: the tree built and the files
// written by the folder step and the conversion driver must equal, byte for
// byte, what the independent oracle computes from the source text alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "hourly/convert_hourly_files.h"
#include "oldtree/create_old_folders.h"
#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"
#include "support/treegen_oracle.h"
#include "treegen.h"

namespace dorvax {
namespace {

using testing::FakeWindow;
using testing::TempDir;

struct PassOutcome {
  StepResult folders = StepResult::kGoOn;
  StepResult conversion = StepResult::kGoOn;
};

// One pass as the run controller makes it, after the checks have prepared the
// paths and the empty destination folder.
PassOutcome ConvertOnePass(FakeWindow& frm, const std::string& source, const std::string& destination) {
  frm.form.optNew_Click(1);
  frm.run.strFolderPath[0] = source + "dorvax" + platform::Sep() + "hourly" + platform::Sep();
  frm.run.strFolderPath[1] = destination + "dorvax" + platform::Sep();
  platform::CreateFolder(frm.run.strFolderPath[1]);
  PassOutcome outcome;
  CreateOldFolders(frm.run, frm, 1, outcome.folders);
  if (outcome.folders != StepResult::kGoOn) return outcome;
  ConvertHourlyFiles(frm.run, frm, 1, outcome.conversion);
  return outcome;
}

void ExpectSameTree(const treegen::Model& model, const std::string& destination) {
  treegen_oracle::FileMap expected = treegen_oracle::ExpectedOldEdition(model);
  treegen_oracle::ExpectedTree actual =
      treegen_oracle::ReadOldEditionTree(std::filesystem::path(destination) / "dorvax");
  EXPECT_EQ(treegen_oracle::FirstDifference(expected, actual.files), "");
  EXPECT_EQ(expected.size(), actual.files.size());
}

treegen::Options IrregularYear(const std::string& root, std::vector<int> months, uint64_t seed) {
  treegen::Options o;
  o.root = root;
  o.months = std::move(months);
  o.seed = seed;
  o.stations = 24;
  o.areas = {11, 23, 44, 94};
  o.missingHour = 0.02;
  o.missingDay = 0.03;
  o.earlyEnd = 0.2;
  o.repeatedLine = 0.004;
  o.missingValue = 0.05;
  o.valueE = 0.4;
  o.valueEOnly = 0.3;
  o.unlisted = 0.1;
  o.shortInfoLine = 0.05;
  return o;
}

TEST(GeneratedTree, BinaryEraMonthsConvertToTheExpectedBytes) {
  TempDir src, dst;
  treegen::Model model = treegen::Generate(IrregularYear(src.path(), {199601, 199602, 199912}, 7));
  FakeWindow frm;
  int openBefore = platform::OpenFileCount();
  PassOutcome outcome = ConvertOnePass(frm, src.path(), dst.path());
  ASSERT_EQ(outcome.folders, StepResult::kGoOn);
  ASSERT_EQ(outcome.conversion, StepResult::kGoOn);
  EXPECT_TRUE(frm.boxes.empty()) << frm.BoxTexts()[0];
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  EXPECT_FLOAT_EQ(frm.ProgressValue(), 95.0f);  // 15 for the tree, 80 for the files
  ExpectSameTree(model, dst.path());
}

TEST(GeneratedTree, TextEraMonthsConvertToTheExpectedBytes) {
  TempDir src, dst;
  treegen::Model model = treegen::Generate(IrregularYear(src.path(), {200002, 200412, 200501}, 11));
  FakeWindow frm;
  PassOutcome outcome = ConvertOnePass(frm, src.path(), dst.path());
  ASSERT_EQ(outcome.folders, StepResult::kGoOn);
  ASSERT_EQ(outcome.conversion, StepResult::kGoOn);
  ExpectSameTree(model, dst.path());
}

TEST(GeneratedTree, BothErasInOnePassAndCompleteMonths) {
  TempDir src, dst;
  treegen::Options o = IrregularYear(src.path(), {199902, 199903, 200002, 200003}, 3);
  o.complete = true;
  o.missingHour = o.missingDay = o.earlyEnd = o.repeatedLine = 0;
  treegen::Model model = treegen::Generate(o);
  FakeWindow frm;
  PassOutcome outcome = ConvertOnePass(frm, src.path(), dst.path());
  ASSERT_EQ(outcome.folders, StepResult::kGoOn);
  ASSERT_EQ(outcome.conversion, StepResult::kGoOn);
  std::size_t hourlyFiles = 0;
  for (const auto& month : model.months) hourlyFiles += month.files.size();
  EXPECT_EQ(frm.run.lngFileTotal, static_cast<int32_t>(hourlyFiles));
  ExpectSameTree(model, dst.path());
}

}  // namespace
}  // namespace dorvax
