#include "validation/check_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "oldtree/prepare_destination.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "support/box_texts.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using namespace testing::texts;
using platform::DriveType;
using platform::faults::Op;
using platform::faults::Plan;
using platform::faults::ScopedFault;
using testing::FakeWindow;
using testing::MakeFolders;
using testing::TempDir;
using testing::WriteBytes;

const std::string S = platform::Sep();

// A window in folder mode ("CD-ROM以外") with a source tree and an empty
// destination folder in a fresh temporary folder.
class CheckFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolders(source + "dorvax" + S + "hourly");
    MakeFolders(destination);
    w.ChooseFolders(source, destination);
  }

  // The checks and, when they pass, the preparation of the destination that
  // follows them in every run.
  StepResult Check() {
    StepResult result = StepResult::kGoOn;
    CheckFolders(w.run, w, result);
    if (result == StepResult::kGoOn) PrepareDestination(w.run, w, result);
    return result;
  }

  // The one box of a refused check: its text, title "エラー", critical icon,
  // OK, and the normal pointer set just before it.
  void ExpectRefusal(const std::string& text, const std::string& title = "エラー") {
    ASSERT_EQ(w.boxes.size(), 1u) << (w.boxes.empty() ? "" : w.boxes[0].box.text);
    EXPECT_TRUE(BoxIs(w.boxes[0], text, title, MsgIcon::kCritical));
    auto box = std::find_if(w.log.begin(), w.log.end(), [](const std::string& e) { return e.rfind("box[", 0) == 0; });
    ASSERT_NE(box, w.log.begin());
    EXPECT_EQ(*(box - 1), "pointer:normal");
  }

  // A drive of `type` at <temp>/`name`/ holding the hourly tree, chosen in
  // the drive list.
  std::string ChooseDriveWithTree(const std::string& name, DriveType type = DriveType::kCdRom) {
    const std::string root = tmp / (name + "/");
    MakeFolders(root + "dorvax" + S + "hourly");
    w.ChooseDrive(root, type);
    return root;
  }

  std::string LastFocus() const { return w.focusLog.empty() ? "" : w.focusLog.back(); }

  TempDir tmp;
  FakeWindow w;
  std::string source = tmp / "src/", destination = tmp / "dst/";
};

TEST_F(CheckFoldersTest, PassingChecksPrepareAnEmptyDestinationInFiveSteps) {
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_TRUE(w.boxes.empty());
  EXPECT_EQ(w.run.strFolderPath[0], source + "dorvax" + S + "hourly" + S);
  EXPECT_EQ(w.run.strFolderPath[1], destination + "dorvax" + S);
  EXPECT_TRUE(platform::FolderExists(destination + "dorvax"));
  EXPECT_TRUE(std::filesystem::is_empty(destination + "dorvax"));
  EXPECT_EQ(w.progressValues, (std::vector<float>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(w.statusTexts.back(), kChecking);
  EXPECT_EQ(w.run.intRunState, 1);
  EXPECT_TRUE(w.busy);
  EXPECT_FALSE(w.IsEnabled(Control::txtFolder1));
  EXPECT_FALSE(w.IsEnabled(Control::cmdMain0));
  EXPECT_TRUE(w.IsVisible(Control::ProgressBar1));
  EXPECT_TRUE(w.focusLog.empty());
}

TEST_F(CheckFoldersTest, NoSourceKindShowsOnlyItsMessageAndTouchesNothing) {
  w.form.ClearFolderChoice(0);
  w.form.ClearFolderChoice(1);
  w.run.intRunState = 0;
  w.log.clear();
  EXPECT_EQ(Check(), StepResult::kStopped);
  ExpectRefusal(kNoSourceKind);
  EXPECT_FALSE(w.IsVisible(Control::ProgressBar1));
  EXPECT_EQ(w.run.intRunState, 0);
  EXPECT_TRUE(w.focusLog.empty());
  EXPECT_TRUE(w.IsEnabled(Control::txtFolder1));
}

TEST_F(CheckFoldersTest, EmptyTextsAreRefusedSourceFirst) {
  w.SetFolder(0, "   ");
  w.SetFolder(1, "");
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  ExpectRefusal("新版フォルダの指定がされていません。");
  EXPECT_EQ(LastFocus(), "txtFolder(0)");
  EXPECT_EQ(w.run.intRunState, 1);
  EXPECT_TRUE(w.IsVisible(Control::ProgressBar1));
  EXPECT_TRUE(w.IsEnabled(Control::txtFolder1));  // FocusFolderBox enabled the inputs again

  w.boxes.clear();
  w.SetFolder(0, source);
  EXPECT_EQ(Check(), StepResult::kDestinationRefused);
  ExpectRefusal("旧版フォルダの指定がされていません。");
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
  EXPECT_EQ(w.ProgressValue(), 1);  // the source had passed
}

TEST_F(CheckFoldersTest, ShortTextsAreMalformedUnlessATypedDrive) {
  for (const char* text : {"C", "CD", "C: ", "  C ", "あ", "Cあ"}) {
    SCOPED_TRACE(text);
    w.boxes.clear();
    w.SetFolder(0, text);
    EXPECT_EQ(Check(), StepResult::kSourceRefused);
    ExpectRefusal(kSourceMalformed);
    EXPECT_EQ(LastFocus(), "txtFolder(0)");
    EXPECT_EQ(w.Folder(0), text);  // nothing written back
  }
  w.boxes.clear();
  w.SetFolder(0, source);
  w.SetFolder(1, "D");
  EXPECT_EQ(Check(), StepResult::kDestinationRefused);
  ExpectRefusal("旧版フォルダの指定が正しくされていません。");
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
}

#ifndef _WIN32
// The root of a single-rooted file system is a drive root, not a text of
// one character: as a source it passes the form and the existence check,
// and in CD-ROM mode the drive test refuses it when it is no CD-ROM drive.
TEST_F(CheckFoldersTest, TheFileSystemRootIsADriveRoot) {
  w.SetFolder(0, "/");
  Check();
  ASSERT_FALSE(w.boxes.empty());
  EXPECT_NE(w.boxes[0].box.text, kSourceMalformed);
  EXPECT_NE(w.boxes[0].box.text, kNoSourceFolder);

  w.boxes.clear();
  w.ChooseDrive("/", DriveType::kFixed);
  EXPECT_EQ(w.Folder(0), "/");
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  ExpectRefusal(kNotCdRom);
  EXPECT_EQ(LastFocus(), "drvNew");
}
#endif

TEST_F(CheckFoldersTest, BareDrivePassesTheFormAndGetsItsSeparator) {
  for (const char* text : {"C:", " C:"}) {
    SCOPED_TRACE(text);
    w.boxes.clear();
    w.SetFolder(0, text);
    Check();
    EXPECT_EQ(w.Folder(0), "C:" + S);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_NE(w.boxes[0].box.text, kSourceMalformed);
  }
}

TEST_F(CheckFoldersTest, MissingSeparatorIsAddedToTheBoxItself) {
  w.SetFolder(0, "  " + tmp / "src" + "  ");
  w.SetFolder(1, tmp / "dst");
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_EQ(w.Folder(0), source);
  EXPECT_EQ(w.Folder(1), destination);
  EXPECT_EQ(w.run.strFolderPath[1], destination + "dorvax" + S);
}

TEST_F(CheckFoldersTest, MissingFoldersAreRefusedWithTheirSide) {
  w.SetFolder(0, tmp / "nowhere");
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  ExpectRefusal(kNoSourceFolder);
  EXPECT_EQ(LastFocus(), "txtFolder(0)");
  EXPECT_EQ(w.Folder(0), tmp / "nowhere/");

  w.boxes.clear();
  w.SetFolder(0, source);
  w.SetFolder(1, tmp / "nowhere/");
  EXPECT_EQ(Check(), StepResult::kDestinationRefused);
  ExpectRefusal("指定された旧版フォルダが存在しません。");
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
}

TEST_F(CheckFoldersTest, SameTextIgnoringLetterCaseIsRefused) {
  MakeFolders(tmp / "data/dorvax/hourly");
  MakeFolders(tmp / "DATA");
  w.SetFolder(0, tmp / "data");
  w.SetFolder(1, tmp / "DATA/");
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ExpectRefusal(kSameFolder);
  EXPECT_EQ(LastFocus(), "txtFolder(0)");
  EXPECT_TRUE(w.Logged("EnableInputControls(true)"));
  EXPECT_TRUE(w.IsEnabled(Control::cmdMain0));
  EXPECT_EQ(w.ProgressValue(), 2);
  EXPECT_FALSE(platform::FolderExists(tmp / "DATA/dorvax"));
}

TEST_F(CheckFoldersTest, OneFolderUnderTwoSpellingsIsRefused) {
  std::filesystem::create_directory_symlink(tmp / "src", tmp / "link");
  MakeFolders(tmp / "src/sub");
  for (std::string other : {source + ".", source + "sub" + S + "..", tmp / "link", tmp / "link/./"}) {
    SCOPED_TRACE(other);
    w.boxes.clear();
    w.SetFolder(1, other);
    EXPECT_EQ(Check(), StepResult::kSameFolder);
    ExpectRefusal(kSameFolder);
    EXPECT_FALSE(platform::FolderExists(source + "dorvax" + S + "hourly" + S + "dorvax"));
  }
}

TEST_F(CheckFoldersTest, SourceInsideTheOldDestinationTreeIsRefusedAndKept) {
  // Deleting destination + "dorvax" would take the source with it.
  std::string inner = destination + "dorvax" + S + "keep" + S;
  MakeFolders(inner + "dorvax" + S + "hourly" + S + "199901");
  for (std::string src : {inner, destination + "dorvax" + S}) {
    SCOPED_TRACE(src);
    MakeFolders(src + "dorvax" + S + "hourly");
    w.boxes.clear();
    w.SetFolder(0, src);
    EXPECT_EQ(Check(), StepResult::kSameFolder);
    ExpectRefusal(kSameFolder);
    EXPECT_TRUE(platform::FolderExists(inner + "dorvax" + S + "hourly" + S + "199901"));
  }
}

TEST_F(CheckFoldersTest, DestinationInsideTheSourceDorvaxTreeIsRefused) {
  std::string tree = source + "dorvax" + S;
  std::string hourly = tree + "hourly" + S;
  MakeFolders(hourly + "199901");
  MakeFolders(tree + "other");
  for (std::string dst : {hourly, hourly + "199901" + S, tree, tree + "other" + S}) {
    SCOPED_TRACE(dst);
    w.boxes.clear();
    w.SetFolder(1, dst);
    EXPECT_EQ(Check(), StepResult::kSameFolder);
    ExpectRefusal(kSameFolder);
    EXPECT_FALSE(platform::FolderExists(dst + "dorvax"));
  }
  // A destination elsewhere inside the source folder is harmless.
  MakeFolders(source + "out");
  w.boxes.clear();
  w.SetFolder(1, source + "out" + S);
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_TRUE(w.boxes.empty());
}

TEST_F(CheckFoldersTest, CdRomModeRefusesADriveOfAnotherType) {
  const std::string root = ChooseDriveWithTree("fixed", DriveType::kFixed);
  EXPECT_EQ(w.Folder(0), root);
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  ExpectRefusal(kNotCdRom);
  EXPECT_EQ(LastFocus(), "drvNew");
  EXPECT_EQ(w.ProgressValue(), 3);  // both sides and the comparison; the drive test adds nothing
  EXPECT_EQ(w.run.intSourceKind, 2);
  EXPECT_EQ(w.statusTexts.front(), "（1枚目のCD-ROMのフォルダ構成等のチェックを行っています）");
}

TEST_F(CheckFoldersTest, CdRomModeAcceptsACdRomDrive) {
  const std::string root = ChooseDriveWithTree("cd");
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_EQ(w.run.strFolderPath[0], root + "dorvax" + S + "hourly" + S);
  EXPECT_EQ(w.ProgressValue(), 5);
}

TEST_F(CheckFoldersTest, CdRomModeWithoutADiscSendsTheFocusToTheDriveList) {
  w.ChooseDrive(tmp / "empty-drive/", DriveType::kCdRom);
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  ExpectRefusal(kNoSourceFolder);
  EXPECT_EQ(LastFocus(), "drvNew");
}

// A drive without its disc whose root is still a folder, as the mount point
// of an optical drive that is not mounted: no folder of the disc exists.
TEST_F(CheckFoldersTest, CdRomDriveWithoutItsDiscHasNoFolderEvenWhereItsRootIsOne) {
  w.fakeDrives().SetReady(ChooseDriveWithTree("mnt-cdrom"), false);
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  ExpectRefusal(kNoSourceFolder);
  EXPECT_EQ(LastFocus(), "drvNew");
}

TEST_F(CheckFoldersTest, CdRomModeSameTextFocusesTheDestinationBox) {
  w.SetFolder(1, ChooseDriveWithTree("cd"));
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ExpectRefusal(kSameFolder);
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
}

TEST_F(CheckFoldersTest, SourceWithoutTheHourlyTreeIsRefused) {
  MakeFolders(tmp / "plain/dorvax");
  w.SetFolder(0, tmp / "plain/");
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  ExpectRefusal(kNoHourlyTree);
  EXPECT_EQ(LastFocus(), "txtFolder(0)");
  EXPECT_EQ(w.ProgressValue(), 3);
}

class ExistingTreeTest : public CheckFoldersTest {
 protected:
  void SetUp() override {
    CheckFoldersTest::SetUp();
    old = destination + "dorvax" + S;
    MakeFolders(old + "1999");
    WriteBytes(old + "1999" + S + "DVX1999.01", "records");
    std::filesystem::permissions(old + "1999" + S + "DVX1999.01", std::filesystem::perms::owner_read);
    std::filesystem::permissions(old + "1999", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  }
  std::string old;
};

TEST_F(ExistingTreeTest, YesDeletesTheOldTreeReadOnlyFilesIncluded) {
  w.Answer(MsgAnswer::kYes, "既存の");
  EXPECT_EQ(Check(), StepResult::kGoOn);
  ASSERT_EQ(w.boxes.size(), 1u);
  EXPECT_TRUE(BoxIs(w.boxes[0], kDeleteOldTree, "確認", MsgIcon::kQuestion, MsgButtons::kYesNo));
  EXPECT_EQ(w.boxes[0].box.defaultAnswer, MsgAnswer::kYes);
  EXPECT_TRUE(platform::FolderExists(old));
  EXPECT_TRUE(std::filesystem::is_empty(old));
  EXPECT_EQ(w.ProgressValue(), 5);
  EXPECT_TRUE(w.busy);
}

TEST_F(ExistingTreeTest, NoKeepsEverythingAndStops) {
  w.Answer(MsgAnswer::kNo);
  EXPECT_EQ(Check(), StepResult::kOldTreeKept);
  ASSERT_EQ(w.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(w.boxes[1], kAborted, "メッセージ", MsgIcon::kInformation));
  EXPECT_EQ(testing::ReadBytes(old + "1999" + S + "DVX1999.01"), "records");
  EXPECT_FALSE(w.busy);
  EXPECT_FALSE(w.IsEnabled(Control::txtFolder1));  // left for the run controller
  EXPECT_TRUE(w.focusLog.empty());
  EXPECT_EQ(w.ProgressValue(), 4);  // the hourly tree was found before the question
}

TEST_F(ExistingTreeTest, DeletionDeniedShowsTheAccessBoxAndCreatesNothing) {
  ScopedFault fault(Plan{Op::kDeleteEntry, 1, platform::kErrPermissionDenied, "", false});
  w.Answer(MsgAnswer::kYes);
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ASSERT_EQ(w.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(w.boxes[1], kAccessDenied, "エラー", MsgIcon::kCritical));
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
  EXPECT_TRUE(platform::FolderExists(old));  // what was not deleted stays
}

TEST_F(CheckFoldersTest, AFileNamedDorvaxGivesTheGenericBox) {
  WriteBytes(destination + "dorvax", "not a folder");
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ASSERT_EQ(w.boxes.size(), 1u);
  const std::string& text = w.boxes[0].box.text;
  EXPECT_EQ(text.rfind(kGeneric + "58 : ", 0), 0u) << text;
  EXPECT_EQ(w.boxes[0].box.title, "処理中断");
  EXPECT_EQ(w.boxes[0].box.icon, MsgIcon::kCritical);
  EXPECT_TRUE(w.focusLog.empty());
  EXPECT_FALSE(w.IsEnabled(Control::txtFolder1));
  EXPECT_FALSE(w.busy);
  EXPECT_EQ(testing::ReadBytes(destination + "dorvax"), "not a folder");
}

TEST_F(CheckFoldersTest, CreationDeniedShowsTheAccessBoxAndFocusesTheDestination) {
  ScopedFault fault(Plan{Op::kCreateFolder, 1, platform::kErrPermissionDenied, "", false});
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ExpectRefusal(kAccessDenied);
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
  EXPECT_EQ(w.ProgressValue(), 4);
  EXPECT_FALSE(platform::FolderExists(destination + "dorvax"));
}

// The N-th AdvanceProgress fails, to reach the handler while a side is
// under test.
void FailAtAdvance(FakeWindow& w, int failAt, int32_t number) {
  w.onAdvance = [failAt, number, calls = 0](int32_t) mutable {
    if (++calls == failAt) throw platform::MakeError(number);
  };
}

TEST(CheckFoldersFailure, ResultNamesTheSideUnderTest) {
  TempDir tmp;
  MakeFolders(tmp / "src/dorvax/hourly");
  MakeFolders(tmp / "dst");
  for (int failAt : {1, 2, 3}) {
    for (int32_t number : {platform::kErrDeviceIo, platform::kErrPermissionDenied}) {
      SCOPED_TRACE(std::to_string(failAt) + "/" + std::to_string(number));
      FakeWindow w;
      FailAtAdvance(w, failAt, number);
      w.ChooseFolders(tmp / "src/", tmp / "dst/");
      StepResult result = StepResult::kGoOn;
      CheckFolders(w.run, w, result);
      EXPECT_EQ(ResultNumber(result), failAt - 1);  // 0 and 1 while a side is checked, 2 afterwards
      ASSERT_EQ(w.boxes.size(), 1u);
      if (number == platform::kErrPermissionDenied) {
        EXPECT_EQ(w.boxes[0].box.text, kAccessDenied);
        EXPECT_EQ(w.boxes[0].box.title, "エラー");
        ASSERT_FALSE(w.focusLog.empty());
        EXPECT_EQ(w.focusLog.back(), "txtFolder(1)");
      } else {
        EXPECT_EQ(w.boxes[0].box.text.rfind(kGeneric + "57 : ", 0), 0u);
        EXPECT_EQ(w.boxes[0].box.title, "処理中断");
        EXPECT_TRUE(w.focusLog.empty());
      }
    }
  }
}

}  // namespace
}  // namespace dorvax
