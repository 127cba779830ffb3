// A destination that cannot be written: a read-only file system (a tmpfs
// remounted read-only, or a folder bound read-only elsewhere) refuses the
// creation of "dorvax" or the deletion of an old one with access denied,
// which the checks report with their own box and the focus on the
// destination box. A destination that turns read-only in the middle of the
// run stops the step that writes, and a deletion that the read-only disk
// refuses ends in the controller's error box with the tree left as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "platform/file_handle.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;

// The destination is the root of a scratch mount.
class ReadOnlyDestination : public FaultRunTest {
 protected:
  ReadOnlyDestination() { target = mountPoint + "/"; }
  void SetUp() override { WriteSourceTree(source, {199901, 200001}, 4); }

  // The checks refuse the destination: the access-denied box, the focus on
  // the destination box, result 2, no deletion offer.
  void ExpectRefusedByTheChecks(FakeWindow& frm, const RunOutcome& outcome) {
    ASSERT_EQ(frm.boxes.size(), 2u) << ::testing::PrintToString(frm.BoxTexts());
    EXPECT_TRUE(BoxIs(frm.boxes.back(), kAccessDenied, "エラー", MsgIcon::kCritical));
    EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
    EXPECT_TRUE(frm.Logged("FocusFolderBox(1)"));
    EXPECT_EQ(frm.focusLog.back(), "txtFolder(1)");
    EXPECT_EQ(outcome.result, StepResult::kSameFolder);
    EXPECT_EQ(frm.run.intRunState, 0);
    EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
  }

  std::string mountPoint = tmp / "ro";
  std::unique_ptr<ScratchMount> mount = std::make_unique<ScratchMount>(mountPoint);
};

TEST_F(ReadOnlyDestination, CreatingDorvaxOnAReadOnlyFileSystemIsAccessDenied) {
  DORVAX_MOUNT_OR_SKIP(mount->MountTmpfs(1 << 20), *mount);
  DORVAX_MOUNT_OR_SKIP(mount->RemountReadOnly(), *mount);
  FakeWindow frm;
  ExpectRefusedByTheChecks(frm, Run(frm, {{MsgAnswer::kOk, kAccessDenied}}));
  EXPECT_TRUE(Snapshot(mountPoint).empty());
}

TEST_F(ReadOnlyDestination, AnOldDorvaxOnAReadOnlyFileSystemCannotBeDeleted) {
  DORVAX_MOUNT_OR_SKIP(mount->MountTmpfs(1 << 20), *mount);
  MakeFolders(target + "dorvax/1999/STNIDX/");
  WriteBytes(target + "dorvax/1999/DVX1999.01", std::string(1000, 'x'));
  DORVAX_MOUNT_OR_SKIP(mount->RemountReadOnly(), *mount);
  TreeState oldTree = Snapshot(mountPoint);

  FakeWindow frm;
  RunOutcome outcome = Run(frm, {{MsgAnswer::kYes, kDeleteOldTree}, {MsgAnswer::kOk, kAccessDenied}});
  ASSERT_EQ(frm.boxes.size(), 3u) << ::testing::PrintToString(frm.BoxTexts());
  frm.boxes.erase(frm.boxes.begin() + 1);  // the question, answered
  ExpectRefusedByTheChecks(frm, outcome);
  EXPECT_EQ(Snapshot(mountPoint), oldTree) << "nothing of the old tree went";
}

TEST_F(ReadOnlyDestination, AFolderBoundReadOnlyIsAccessDeniedToo) {
  std::string writable = tmp / "writable";
  fs::create_directories(writable);
  DORVAX_MOUNT_OR_SKIP(mount->BindReadOnly(writable), *mount);
  FakeWindow frm;
  ExpectRefusedByTheChecks(frm, Run(frm, {{MsgAnswer::kOk, kAccessDenied}}));
  EXPECT_TRUE(Snapshot(writable).empty());
}

// The destination turns read-only between two text-era files (no file is
// open for writing then): the conversion stops with the generic box for
// error 70; the deletion offered afterwards is refused by the disk as well,
// which the controller reports with its own error box.
TEST_F(ReadOnlyDestination, TurningReadOnlyDuringTheConversion) {
  source = tmp / "text/";
  WriteSourceTree(source, {200001}, 24, {11});
  MakeReference();
  DORVAX_MOUNT_OR_SKIP(mount->MountTmpfs(16 << 20), *mount);
  TreeState sourceBefore = Snapshot(source);
  int openBefore = platform::OpenFileCount();

  FakeWindow frm;
  bool remounted = false;
  std::size_t filesBeforeRemount = 0;
  frm.onProcessEvents = [&] {
    // A file is done and the conversion lets the window handle events.
    if (frm.run.intRunState == 3 && !remounted) {
      filesBeforeRemount = FilesBelow(target + "dorvax").size();
      remounted = mount->RemountReadOnly();
    }
  };
  PrepareFolderRun(frm, source, target);
  frm.Answer(MsgAnswer::kOk, kGeneric + "70 : ");
  frm.Answer(MsgAnswer::kYes, kOfferDeletion);
  frm.Answer(MsgAnswer::kOk, kGeneric + "70 : ");
  RunOutcome outcome = Press(frm, 0);
  DORVAX_MOUNT_OR_SKIP(remounted, *mount);

  ASSERT_EQ(frm.boxes.size(), 4u) << ::testing::PrintToString(frm.BoxTexts());
  EXPECT_EQ(frm.BoxTitles(), (std::vector<std::string>{"確認", "処理中断", "確認", "エラー"}));
  EXPECT_EQ(outcome.result, StepResult::kStopped);
  EXPECT_EQ(outcome.errorNumber, 70) << "the refused deletion reached the controller";
  EXPECT_FALSE(outcome.completed);
  EXPECT_TRUE(frm.IsEnabled(Control::txtFolder1));
  EXPECT_FALSE(frm.IsVisible(Control::ProgressBar1));
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  EXPECT_EQ(Snapshot(source), sourceBefore);
  std::vector<std::string> written = FilesBelow(target + "dorvax");
  EXPECT_EQ(ExpectWrittenAsFar(target + "dorvax", reference + "dorvax"), static_cast<int>(written.size()));
  EXPECT_EQ(written.size(), filesBeforeRemount) << "the files done before stay, complete";
  EXPECT_GE(written.size(), 2u);
}

}  // namespace
}  // namespace dorvax::testing
