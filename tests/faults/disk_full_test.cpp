// A destination on a small tmpfs that fills up while the run writes, once in
// each phase of the run: the station index files, the folder tree of the
// text era (the copied station information, the area folders), the DVX/DVS
// record files and the text-era hourly files. Every run must stop with
// "旧版フォルダの容量不足です。", offer the deletion, close every file, leave the
// source as it was and leave in the destination exactly what a complete run
// writes, as far as it got.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "support/box_texts.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;

bool IsStationIndex(const std::string& rel) { return rel.find("/STNIDX/") != std::string::npos; }
bool IsRecordFile(const std::string& rel) {
  std::string name = fs::path(rel).filename().string();
  return name.rfind("DVX", 0) == 0 || name.rfind("DVS", 0) == 0;
}
bool IsCopiedStationFile(const std::string& rel) { return fs::path(rel).filename().string().rfind("idx", 0) == 0; }
bool IsTextFile(const std::string& rel) { return rel.find("/area") != std::string::npos; }

// The destination is the root of a small tmpfs.
class DiskFull : public FaultRunTest {
 protected:
  DiskFull() { target = mountPoint + "/"; }

  // Runs into a tmpfs of `pages` pages (and `inodes` entries when not 0) and
  // checks everything a disk-full stop promises. `deleteAfterwards` answers
  // the deletion offer.
  void RunIntoFullDisk(std::size_t pages, std::size_t inodes, int expectedResult, bool deleteAfterwards = false) {
    DORVAX_MOUNT_OR_SKIP(mount->MountTmpfs(pages * 4096, inodes), *mount);
    FakeWindow frm;
    RunOutcome outcome =
        Run(frm, {{MsgAnswer::kOk, kDiskFull}, {deleteAfterwards ? MsgAnswer::kYes : MsgAnswer::kNo, kOfferDeletion}});

    ASSERT_EQ(frm.boxes.size(), 3u) << ::testing::PrintToString(frm.BoxTexts());
    EXPECT_TRUE(BoxIs(frm.boxes[1], kDiskFull, "処理中断", MsgIcon::kCritical));
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(ResultNumber(outcome.result), expectedResult);
    // The focus goes to the destination box with the disk-full box.
    EXPECT_TRUE(frm.Logged("FocusFolderBox(1)"));
    // The window is idle again.
    EXPECT_EQ(frm.run.intRunState, 0);
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
    EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
    if (deleteAfterwards) {
      EXPECT_FALSE(fs::exists(target + "dorvax"));
    } else {
      written = FilesBelow(target + "dorvax");
      complete = ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
    }
  }

  std::string mountPoint = tmp / "full";
  std::unique_ptr<ScratchMount> mount = std::make_unique<ScratchMount>(mountPoint);  // goes before its folder
  std::vector<std::string> written;                                                  // files left in the destination
  int complete = 0;                                                                  // of them, complete ones
};

int Count(const std::vector<std::string>& files, bool (*which)(const std::string&)) {
  return static_cast<int>(std::count_if(files.begin(), files.end(), which));
}

TEST_F(DiskFull, WhileWritingTheStationIndex) {
  WriteSourceTree(source, {199901}, 3);
  AppendStationLines(source, 199901, 2000);  // an IDX file of some 90 KB
  MakeReference();
  ASSERT_GT(PagesOf(reference, IsStationIndex), 16u);
  RunIntoFullDisk(8, 0, 111);  // the station index conversion stops with 111
  if (HasFatalFailure() || IsSkipped()) return;
  EXPECT_EQ(Count(written, IsStationIndex), 1) << "the IDX file as far as it got; no SIDX file";
  EXPECT_EQ(complete, 0);
  EXPECT_EQ(Count(written, IsRecordFile), 0) << "no step after the tree ran";
}

TEST_F(DiskFull, WhileCopyingTheStationInformationOfATextMonth) {
  WriteSourceTree(source, {200001}, 3);
  AppendStationLines(source, 200001, 2000);  // some 200 KB to copy
  MakeReference();
  RunIntoFullDisk(8, 0, 99);
  if (HasFatalFailure() || IsSkipped()) return;
  EXPECT_EQ(Count(written, IsCopiedStationFile), 1);
  EXPECT_EQ(complete, 0) << "the copy cannot be complete";
  EXPECT_EQ(Count(written, IsTextFile), 0);
}

TEST_F(DiskFull, WhileCreatingTheAreaFoldersOfATextMonth) {
  WriteSourceTree(source, {200001, 200002}, 6, {11, 22, 33, 44, 55, 66});
  MakeReference();
  // Entries: the root, dorvax, 2000, 200001, its station file copy and three
  // area folders; the fourth area folder finds no room.
  RunIntoFullDisk(256, 8, 99);
  if (HasFatalFailure() || IsSkipped()) return;
  std::error_code ec;
  EXPECT_TRUE(fs::is_directory(target + "dorvax/200001/area33"));
  EXPECT_FALSE(fs::exists(target + "dorvax/200001/area44", ec));
  EXPECT_FALSE(fs::exists(target + "dorvax/200002", ec));
  EXPECT_EQ(Count(written, IsTextFile), 0);
}

TEST_F(DiskFull, WhileWritingTheDayRecords) {
  WriteSourceTree(source, {199901}, 30);
  MakeReference();
  std::size_t indexPages = PagesOf(reference, IsStationIndex);
  ASSERT_GT(PagesOf(reference, IsRecordFile), 24u);
  RunIntoFullDisk(indexPages + 8, 0, 99);
  if (HasFatalFailure() || IsSkipped()) return;
  EXPECT_GE(Count(written, IsRecordFile), 1);
  EXPECT_LT(complete, static_cast<int>(written.size())) << "a record file is cut short";
  // The station index was complete before the records began.
  for (const std::string& rel : FilesBelow(reference + "dorvax"))
    if (IsStationIndex(rel)) {
      EXPECT_EQ(ReadBytes(target + "dorvax/" + rel), ReadBytes(reference + "dorvax/" + rel));
    }
}

TEST_F(DiskFull, WhileWritingTheTextFiles) {
  WriteSourceTree(source, {200001}, 30);
  MakeReference();
  std::size_t copyPages = PagesOf(reference, IsCopiedStationFile);
  ASSERT_GT(PagesOf(reference, IsTextFile), 40u);
  RunIntoFullDisk(copyPages + 20, 0, 99);
  if (HasFatalFailure() || IsSkipped()) return;
  int textFiles = Count(written, IsTextFile);
  EXPECT_GE(textFiles, 2);
  EXPECT_LT(textFiles, 30);
  EXPECT_EQ(complete, static_cast<int>(written.size()) - 1) << "only the file being written is cut short";
}

TEST_F(DiskFull, DeletionAfterTheStopEmptiesTheFullDisk) {
  WriteSourceTree(source, {199901, 200001}, 30);
  MakeReference();
  RunIntoFullDisk(PagesOf(reference, IsStationIndex) + PagesOf(reference, IsCopiedStationFile) + 8, 0, 99,
                  /*deleteAfterwards=*/true);
}

#ifdef DORVAX_BATCH_PROGRAM
// The batch program on a full disk: the same box on stderr, the partial tree
// kept (questions are answered No without a terminal), exit status 1.
TEST_F(DiskFull, TheBatchProgramStopsWithStatusOne) {
  WriteSourceTree(source, {199901}, 30);
  MakeReference();
  DORVAX_MOUNT_OR_SKIP(mount->MountTmpfs((PagesOf(reference, IsStationIndex) + 8) * 4096), *mount);
  TreeState sourceBefore = Snapshot(source);
  ProgramResult batch = RunProgram(DORVAX_BATCH_PROGRAM, {source, target});
  EXPECT_EQ(batch.code, 1);
  EXPECT_NE(batch.err.find("[処理中断] " + kDiskFull), std::string::npos) << batch.err;
  EXPECT_NE(batch.err.find(kOfferDeletion), std::string::npos) << batch.err;
  EXPECT_TRUE(batch.out.empty()) << "no summary after a stop";
  EXPECT_EQ(Snapshot(source), sourceBefore);
  EXPECT_TRUE(fs::exists(target + "dorvax/1999/DVX1999.01")) << "the partial tree is kept";
  ExpectWrittenAsFar(target + "dorvax", reference + "dorvax");
}
#endif

}  // namespace
}  // namespace dorvax::testing
