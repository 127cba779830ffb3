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
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using platform::DriveType;
using platform::faults::Op;
using platform::faults::Plan;
using platform::faults::ScopedFault;
using testing::FakeWindow;
using testing::MakeFolders;
using testing::TempDir;
using testing::WriteBytes;

const std::string S = platform::Sep();
const std::string kSameFolder = "新版フォルダと旧版フォルダに同一のフォルダを指定しています。";
const std::string kNoHourly = "新版の指定フォルダ内に\"\\dorvax\\hourly\"フォルダが存在しません。";
const std::string kAccessDenied =
    "旧版フォルダの出力先に、書き込みできないドライブ等を指定しています。\r\n"
    "または、旧版フォルダを開いているため、フォルダを完全に削除できません。";
const std::string kDeleteQuestion =
    "旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\r\n"
    "（既存フォルダ内のファイルは全て削除されます）";

// A window in folder mode ("CD-ROM以外") with a source tree and an empty
// destination folder in a fresh temporary folder.
class CheckFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = tmp / "src/";
    destination = tmp / "dst/";
    MakeFolders(source + "dorvax" + S + "hourly");
    MakeFolders(destination);
    w.SetSelected(Control::optNew1, true);
    w.form.optNew_Click(1);
    w.SetFolder(0, source);
    w.SetFolder(1, destination);
    w.log.clear();
  }

  // CD-ROM mode with the drive list showing `root`.
  void ChooseCdRom(const std::string& root, DriveType type) {
    w.fakeDrives().AddDrive(root, type);
    w.SetCurrentDriveText(root);
    w.SetSelected(Control::optNew1, false);
    w.SetSelected(Control::optNew0, true);
    w.form.optNew_Click(0);
    w.log.clear();
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
    EXPECT_EQ(w.boxes[0].box.text, text);
    EXPECT_EQ(w.boxes[0].box.title, title);
    EXPECT_EQ(w.boxes[0].box.icon, MsgIcon::kCritical);
    EXPECT_EQ(w.boxes[0].box.buttons, MsgButtons::kOk);
    auto box = std::find_if(w.log.begin(), w.log.end(), [](const std::string& e) { return e.rfind("box[", 0) == 0; });
    ASSERT_NE(box, w.log.begin());
    EXPECT_EQ(*(box - 1), "pointer:normal");
  }

  std::string LastFocus() const { return w.focusLog.empty() ? "" : w.focusLog.back(); }

  TempDir tmp;
  FakeWindow w;
  std::string source, destination;
};

TEST_F(CheckFoldersTest, PassingChecksPrepareAnEmptyDestinationInFiveSteps) {
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_TRUE(w.boxes.empty());
  EXPECT_EQ(w.run.strFolderPath[0], source + "dorvax" + S + "hourly" + S);
  EXPECT_EQ(w.run.strFolderPath[1], destination + "dorvax" + S);
  EXPECT_TRUE(platform::FolderExists(destination + "dorvax"));
  EXPECT_TRUE(std::filesystem::is_empty(destination + "dorvax"));
  EXPECT_EQ(w.progressValues, (std::vector<float>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(w.statusTexts.back(), "（フォルダ構成等のチェックを行っています）");
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
  ExpectRefusal("新版フォルダの読み込みフォルダが設定されていません。");
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
    ExpectRefusal("新版フォルダの指定が正しくされていません。");
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
  EXPECT_NE(w.boxes[0].box.text, "新版フォルダの指定が正しくされていません。");
  EXPECT_NE(w.boxes[0].box.text, "指定された新版フォルダが存在しません。");

  w.boxes.clear();
  ChooseCdRom("/", DriveType::kFixed);
  EXPECT_EQ(w.Folder(0), "/");
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  ExpectRefusal("新版フォルダに指定されたドライブは、CD-ROMドライブではありません。");
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
    EXPECT_NE(w.boxes[0].box.text, "新版フォルダの指定が正しくされていません。");
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
  ExpectRefusal("指定された新版フォルダが存在しません。");
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
  EXPECT_NE(std::find(w.log.begin(), w.log.end(), "EnableInputControls(true)"), w.log.end());
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
  std::string root = tmp / "fixed/";
  MakeFolders(root + "dorvax" + S + "hourly");
  ChooseCdRom(root, DriveType::kFixed);
  EXPECT_EQ(w.Folder(0), root);
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  ExpectRefusal("新版フォルダに指定されたドライブは、CD-ROMドライブではありません。");
  EXPECT_EQ(LastFocus(), "drvNew");
  EXPECT_EQ(w.ProgressValue(), 3);  // both sides and the comparison; the drive test adds nothing
  EXPECT_EQ(w.run.intSourceKind, 2);
  EXPECT_EQ(w.statusTexts.front(), "（1枚目のCD-ROMのフォルダ構成等のチェックを行っています）");
}

TEST_F(CheckFoldersTest, CdRomModeAcceptsACdRomDrive) {
  std::string root = tmp / "cd/";
  MakeFolders(root + "dorvax" + S + "hourly");
  ChooseCdRom(root, DriveType::kCdRom);
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_EQ(w.run.strFolderPath[0], root + "dorvax" + S + "hourly" + S);
  EXPECT_EQ(w.ProgressValue(), 5);
}

TEST_F(CheckFoldersTest, CdRomModeWithoutADiscSendsTheFocusToTheDriveList) {
  ChooseCdRom(tmp / "empty-drive/", DriveType::kCdRom);
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  ExpectRefusal("指定された新版フォルダが存在しません。");
  EXPECT_EQ(LastFocus(), "drvNew");
}

// A drive without its disc whose root is still a folder, as the mount point
// of an optical drive that is not mounted: no folder of the disc exists.
TEST_F(CheckFoldersTest, CdRomDriveWithoutItsDiscHasNoFolderEvenWhereItsRootIsOne) {
  const std::string root = tmp / "mnt-cdrom/";
  MakeFolders(root + "dorvax" + S + "hourly");
  ChooseCdRom(root, DriveType::kCdRom);
  w.fakeDrives().SetReady(root, false);
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  ExpectRefusal("指定された新版フォルダが存在しません。");
  EXPECT_EQ(LastFocus(), "drvNew");
}

TEST_F(CheckFoldersTest, CdRomModeSameTextFocusesTheDestinationBox) {
  std::string root = tmp / "cd/";
  MakeFolders(root + "dorvax" + S + "hourly");
  ChooseCdRom(root, DriveType::kCdRom);
  w.SetFolder(1, root);
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ExpectRefusal(kSameFolder);
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
}

TEST_F(CheckFoldersTest, SourceWithoutTheHourlyTreeIsRefused) {
  MakeFolders(tmp / "plain/dorvax");
  w.SetFolder(0, tmp / "plain/");
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  ExpectRefusal(kNoHourly);
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
  EXPECT_EQ(w.boxes[0].box.text, kDeleteQuestion);
  EXPECT_EQ(w.boxes[0].box.title, "確認");
  EXPECT_EQ(w.boxes[0].box.icon, MsgIcon::kQuestion);
  EXPECT_EQ(w.boxes[0].box.buttons, MsgButtons::kYesNo);
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
  EXPECT_EQ(w.boxes[1].box.text, "変換処理を中断しました。");
  EXPECT_EQ(w.boxes[1].box.title, "メッセージ");
  EXPECT_EQ(w.boxes[1].box.icon, MsgIcon::kInformation);
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
  EXPECT_EQ(w.boxes[1].box.text, kAccessDenied);
  EXPECT_EQ(w.boxes[1].box.title, "エラー");
  EXPECT_EQ(w.boxes[1].box.icon, MsgIcon::kCritical);
  EXPECT_EQ(LastFocus(), "txtFolder(1)");
  EXPECT_TRUE(platform::FolderExists(old));  // what was not deleted stays
}

TEST_F(CheckFoldersTest, AFileNamedDorvaxGivesTheGenericBox) {
  WriteBytes(destination + "dorvax", "not a folder");
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  ASSERT_EQ(w.boxes.size(), 1u);
  const std::string& text = w.boxes[0].box.text;
  EXPECT_EQ(text.rfind("エラー発生により、現在の処理を中断します。\r\n58 : ", 0), 0u) << text;
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
      w.SetSelected(Control::optNew1, true);
      w.form.optNew_Click(1);
      w.SetFolder(0, tmp / "src/");
      w.SetFolder(1, tmp / "dst/");
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
        EXPECT_EQ(w.boxes[0].box.text.rfind("エラー発生により、現在の処理を中断します。\r\n57 : ", 0), 0u);
        EXPECT_EQ(w.boxes[0].box.title, "処理中断");
        EXPECT_TRUE(w.focusLog.empty());
      }
    }
  }
}

}  // namespace
}  // namespace dorvax
