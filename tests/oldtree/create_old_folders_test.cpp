#include "oldtree/create_old_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "oldtree/old_tree_fixture.h"
#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/run_error.h"

namespace dorvax {
namespace {

using namespace testing::texts;
using testing::AddMonth;
using testing::Area;
using testing::Names;
using testing::Native;
using testing::ReadBytes;
using testing::SourceTree;
using testing::Station;
using testing::WriteBytes;
using Faults = platform::faults::Op;

class CreateOldFoldersTest : public testing::OldTreeTest {};

TEST_F(CreateOldFoldersTest, EmptySourceStillAdvancesTheWholeShare) {
  frm.run.typStation.Append({99, 1, 47401, 1, -1});
  frm.run.lngFileTotal = 12;
  EXPECT_EQ(Run(), StepResult::kGoOn);
  EXPECT_EQ(frm.progressValues, std::vector<float>{15});
  EXPECT_EQ(frm.statusTexts, Names{"（旧版サブフォルダを作成しています）"});
  EXPECT_EQ(frm.run.intRunState, 2);
  EXPECT_EQ(frm.run.lngFileTotal, 0);
  EXPECT_EQ(frm.run.typStation.LastIndex(), 0u);
  EXPECT_TRUE(Folders("").empty());
  EXPECT_TRUE(frm.boxes.empty());
  EXPECT_TRUE(frm.busy);
}

TEST_F(CreateOldFoldersTest, BuildsBothErasAndCountsTheAreaFiles) {
  AddMonth(tree, "199901", {{"area11", 2}, {"area12", 1}}, std::vector<Station>{{47401, 47}, {47402, 47, "00001"}});
  AddMonth(tree, "199902", {{"area11", 3}}, std::vector<Station>{{47401, 47, "11110"}});
  AddMonth(tree, "200001", {{"area11", 1}, {"AREA23", 2}});
  // Ignored: a file in SRC, a file beside the station file, a folder inside an area.
  tree.File("readme.txt", "x").File("199901/notes.txt", "x").File("199901/area11/deeper/0.csv", "");

  ASSERT_EQ(Run(), StepResult::kGoOn);
  EXPECT_EQ(Folders(""), (Names{"1999", "2000", "200001"}));
  EXPECT_EQ(Folders("1999"), Names{"STNIDX"});
  EXPECT_EQ(Folders("1999/STNIDX"), Names{"IDX"});
  EXPECT_EQ(Files("1999/STNIDX/IDX"), (Names{"IDX1999.01", "IDX1999.02", "SIDX1999.01"}));
  EXPECT_TRUE(Folders("2000").empty());
  EXPECT_TRUE(Files("2000").empty());
  EXPECT_EQ(Files("200001"), Names{"idx200001.csv"});
  EXPECT_EQ(ReadBytes(dst + "200001/idx200001.csv"), ReadBytes(src + "200001/idx200001.csv"));
  EXPECT_EQ(Folders("200001"), (Names{"area11", "AREA23"}));
  EXPECT_TRUE(Files("200001/AREA23").empty());
  EXPECT_EQ(frm.run.lngFileTotal, 2 + 1 + 3 + 1 + 2);

  // The stations of the binary-era months, in folder and line order.
  ASSERT_EQ(frm.run.typStation.LastIndex(), 3u);
  EXPECT_EQ(frm.run.typStation[1].intMonth, 1);
  EXPECT_EQ(frm.run.typStation[2].intKind, -1);
  EXPECT_EQ(frm.run.typStation[3].intMonth, 2);
  EXPECT_EQ(frm.run.indexFilesWritten.size(), 2u);
  EXPECT_EQ(frm.run.indexFilesWritten[dst + Native("1999/STNIDX/IDX/IDX1999.02")], 1);
  // One breath per month, then the share of the tree.
  EXPECT_EQ(frm.progressValues, (std::vector<float>{0, 0, 0, 15}));
  EXPECT_EQ(frm.processEventsCalls, 4);
}

TEST_F(CreateOldFoldersTest, TextEraCopiesGetNormalAttributes) {
  AddMonth(tree, "200001", {{"area11", 0}, {"area12", 0}});
  AddMonth(tree, "199901", {{"area11", 0}});
  // A fault that never fires counts the attribute changes in the destination.
  platform::faults::ScopedFault count({Faults::kSetAttributes, 1000000, 61, dst});
  ASSERT_EQ(Run(), StepResult::kGoOn);
  EXPECT_EQ(platform::faults::Seen(), 4);  // month folder, station file copy, two areas
}

// A bad name in a tree of its own, beside a good month: the walk stops at it
// with the box of its kind and the focus on the source box; what was
// listed before it has been built and stays.
TEST(CreateOldFoldersNames, RejectsMonthAndAreaFolderNames) {
  struct Case {
    std::string bad;
    bool area;
  };
  std::vector<Case> cases;
  for (const char* month : {"200513", "197312", "210001", "2005", "abc"}) cases.push_back({month, false});
  for (const char* area : {"area10", "area95", "area011", "area1", "areaXY"}) cases.push_back({area, true});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bad);
    testing::TempDir dir;
    testing::FakeWindow window;
    const SourceTree tree(dir.path());
    const std::string out = dir / "old/";
    testing::MakeFolders(out);
    if (c.area) {
      AddMonth(tree, "200001", {{"area11", 1}, {c.bad, 1}});
    } else {
      AddMonth(tree, "199901", {{"area11", 1}});
      tree.Folder(c.bad);
    }
    window.run.strFolderPath = {tree.Path(), out};
    window.run.intSourceKind = 1;
    StepResult result = StepResult::kGoOn;
    CreateOldFolders(window.run, window, 1, result);
    EXPECT_EQ(result, StepResult::kBadName);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_TRUE(BoxIs(window.boxes[0], c.area ? kBadAreaFolder : kBadMonthFolder, "処理中断", MsgIcon::kCritical));
    EXPECT_TRUE(window.Logged("FocusFolderBox(0)"));
    EXPECT_FALSE(window.busy);
    if (c.area) {
      EXPECT_TRUE(platform::FolderExists(out + "200001"));
      EXPECT_TRUE(window.progressValues.empty());
    } else {
      const bool monthFirst = platform::NameLess("199901", c.bad);
      EXPECT_EQ(platform::FileExists(out + Native("1999/STNIDX/IDX/IDX1999.01")), monthFirst);
      EXPECT_EQ(window.progressValues.size(), monthFirst ? 1u : 0u);
    }
  }
}

TEST_F(CreateOldFoldersTest, TwoDiscModeAdvancesSevenInPassOne) {
  frm.run.intSourceKind = 2;
  AddMonth(tree, "199901", {{"area11", 1}});
  EXPECT_EQ(Run(1), StepResult::kGoOn);
  EXPECT_EQ(frm.statusTexts, Names{"（1枚目のCD-ROMの旧版サブフォルダを作成しています）"});
  EXPECT_EQ(frm.progressValues, (std::vector<float>{0, 7}));
  EXPECT_TRUE(frm.boxes.empty());
}

TEST_F(CreateOldFoldersTest, MissingStationFileInBinaryEraStopsWith111) {
  AddMonth(tree, "199901", {{"area11", 1}}, std::nullopt);
  AddMonth(tree, "199902", {{"area11", 1}});
  EXPECT_EQ(Run(), StepResult::kStationIndexFailed);
  ExpectOneBox(StationFileMissing("199901"), "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(Files("1999/STNIDX/IDX").empty());
  EXPECT_TRUE(frm.run.indexFilesWritten.empty());
  EXPECT_TRUE(frm.progressValues.empty());
}

TEST_F(CreateOldFoldersTest, MissingStationFileInTextEraStopsWith99AfterTheMonthFolder) {
  AddMonth(tree, "200001", {{"area11", 1}}, std::nullopt);
  EXPECT_EQ(Run(), StepResult::kStopped);
  ExpectOneBox(StationFileMissing("200001"), "処理中断", MsgIcon::kCritical);
  EXPECT_TRUE(platform::FolderExists(dst + "200001"));
  EXPECT_TRUE(frm.Logged("FocusFolderBox(0)"));
  EXPECT_FALSE(frm.busy);
}

TEST_F(CreateOldFoldersTest, VanishedSourceAsksForTheDiscAgain) {
  std::filesystem::remove_all(src);
  EXPECT_EQ(Run(), StepResult::kCallAgain);
  ExpectOneBox(kNoDisc, "エラー", MsgIcon::kExclamation);
  EXPECT_TRUE(frm.busy);
  EXPECT_FALSE(frm.Logged("FocusFolderBox(0)"));
}

TEST_F(CreateOldFoldersTest, FullDestinationDiskStopsWith99) {
  AddMonth(tree, "200001", {{"area11", 1}});
  {
    platform::faults::ScopedFault full({Faults::kCreateFolder, 2, 61, dst});
    EXPECT_EQ(Run(), StepResult::kStopped);
  }
  ExpectOneBox(kDiskFull, "処理中断", MsgIcon::kCritical);
  EXPECT_EQ(frm.focusLog.back(), "txtFolder(1)");
  EXPECT_FALSE(frm.busy);

  frm.boxes.clear();
  std::filesystem::remove_all(dst + "200001");
  platform::faults::ScopedFault status({Faults::kCopyFile, 1, platform::kStatusDiskFull, ""});
  EXPECT_EQ(Run(), StepResult::kStopped);
  ExpectOneBox(kDiskFull, "処理中断", MsgIcon::kCritical);
}

TEST_F(CreateOldFoldersTest, OtherFailuresShowTheGenericBox) {
  AddMonth(tree, "200001", {{"area11", 1}});
  platform::faults::ScopedFault denied({Faults::kCopyFile, 1, 70, ""});
  EXPECT_EQ(Run(), StepResult::kStopped);
  ASSERT_EQ(frm.boxes.size(), 1u);
  EXPECT_EQ(frm.boxes[0].box.text.rfind(kGeneric + "70 : 書き込みできません。", 0), 0u) << frm.boxes[0].box.text;
  EXPECT_EQ(frm.boxes[0].box.title, "処理中断");
  EXPECT_EQ(frm.boxes[0].box.icon, MsgIcon::kCritical);
  EXPECT_TRUE(frm.Logged("FocusFolderBox(0)"));
}

TEST_F(CreateOldFoldersTest, ClosingTheWindowEndsTheWalkWithoutABox) {
  AddMonth(tree, "199901", {{"area11", 1}});
  AddMonth(tree, "199902", {{"area11", 1}});
  frm.CloseDuringRunAt(1);
  frm.Answer(MsgAnswer::kOk, kForcedEnd);
  const int open = platform::OpenFileCount();
  StepResult result = StepResult::kGoOn;
  EXPECT_THROW(CreateOldFolders(frm.run, frm, 1, result), RunAborted);
  EXPECT_EQ(frm.boxes.size(), 1u);
  EXPECT_EQ(platform::OpenFileCount(), open);
  EXPECT_FALSE(platform::FileExists(dst + Native("1999/STNIDX/IDX/IDX1999.02")));
}

}  // namespace
}  // namespace dorvax
