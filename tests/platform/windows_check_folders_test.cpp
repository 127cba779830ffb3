// The pre-run checks with Windows folder texts on a real Windows file system
// and the machine's own drives: a bare drive "C:", the same folder under
// other letter cases or spellings, and the CD-ROM test of the source drive
// through GetDriveTypeW.
//
// The CD-ROM cases use drives that scripts/windows-tests declares in the
// Wine prefix (see windows_drives_test.cpp); without them they are skipped.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "oldtree/prepare_destination.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"
#include "validation/check_folders.h"

namespace dorvax {
namespace {

using testing::FakeWindow;
using testing::MakeFolders;
using testing::TempDir;

const std::string kSameFolder = "新版フォルダと旧版フォルダに同一のフォルダを指定しています。";
const std::string kNotCdRom = "新版フォルダに指定されたドライブは、CD-ROMドライブではありません。";

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

class WindowsCheckFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.UseSystemDrives();
    MakeFolders(tmp / "Data/dorvax/hourly");
    MakeFolders(tmp / "Out");
    w.SetSelected(Control::optNew1, true);
    w.form.optNew_Click(1);
    w.SetFolder(0, tmp / "Data/");
    w.SetFolder(1, tmp / "Out/");
  }

  // CD-ROM mode with the drive list showing the drive of `root`.
  void ChooseDrive(const std::string& root) {
    w.SetCurrentDriveText(Lower(root.substr(0, 2)) + " [DORVAX]");
    w.SetSelected(Control::optNew1, false);
    w.SetSelected(Control::optNew0, true);
    w.form.optNew_Click(0);
  }

  // The checks and the preparation of the destination that follows them.
  StepResult Check() {
    StepResult result = StepResult::kGoOn;
    CheckFolders(w.run, w, result);
    if (result == StepResult::kGoOn) PrepareDestination(w.run, w, result);
    return result;
  }

  std::string OnlyBoxText() const {
    return w.boxes.size() == 1 ? w.boxes[0].box.text : "(" + std::to_string(w.boxes.size()) + " boxes)";
  }

  TempDir tmp;
  FakeWindow w;
};

TEST_F(WindowsCheckFoldersTest, ABareDrivePassesAndBecomesTheDriveRoot) {
  std::string drive = tmp.path().substr(0, 2);  // the drive of the temporary folder, such as "C:"
  for (const std::string& typed : {drive, Lower(drive), "  " + drive}) {
    SCOPED_TRACE(typed);
    w.boxes.clear();
    w.SetFolder(0, typed);
    w.SetFolder(1, "");
    EXPECT_EQ(Check(), StepResult::kDestinationRefused);  // the source passed; the empty destination stopped the check
    EXPECT_EQ(OnlyBoxText(), "旧版フォルダの指定がされていません。");
    EXPECT_EQ(w.Folder(0), TrimBlanks(typed) + "\\");
    EXPECT_EQ(w.ProgressValue(), 1);
  }
}

TEST_F(WindowsCheckFoldersTest, ADriveWithABlankAfterTheColonIsMalformed) {
  w.SetFolder(0, tmp.path().substr(0, 2) + " ");
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  EXPECT_EQ(OnlyBoxText(), "新版フォルダの指定が正しくされていません。");
}

TEST_F(WindowsCheckFoldersTest, TheSameFolderInOtherLetterCaseOrSpellingIsRefused) {
  std::string upper = tmp / "Data/";
  CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  for (const std::string& destination : {upper, tmp / "data", tmp / "Data/./", tmp / "Out/../Data/"}) {
    SCOPED_TRACE(destination);
    w.boxes.clear();
    w.SetFolder(1, destination);
    EXPECT_EQ(Check(), StepResult::kSameFolder);
    EXPECT_EQ(OnlyBoxText(), kSameFolder);
    EXPECT_FALSE(platform::FolderExists(tmp / "Data/dorvax/hourly/dorvax"));
  }
}

TEST_F(WindowsCheckFoldersTest, FullWidthLetterCaseNamesTheSameFolderToo) {
  // The file system folds the case of full-width Latin letters as well: the
  // two texts below differ even in upper case, yet name one folder.
  MakeFolders(tmp / "Ｄａｔａ/dorvax/hourly");
  ASSERT_TRUE(platform::FolderExists(tmp / "ＤＡＴＡ/"));
  w.SetFolder(0, tmp / "Ｄａｔａ/");
  w.SetFolder(1, tmp / "ＤＡＴＡ/");
  EXPECT_EQ(Check(), StepResult::kSameFolder);
  EXPECT_EQ(OnlyBoxText(), kSameFolder);
}

TEST_F(WindowsCheckFoldersTest, DistinctFoldersPassAndGiveBackslashWorkingPaths) {
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_TRUE(w.boxes.empty());
  EXPECT_EQ(w.run.strFolderPath[0], tmp / "Data/dorvax/hourly/");
  EXPECT_EQ(w.run.strFolderPath[1], tmp / "Out/dorvax/");
  EXPECT_EQ(w.run.strFolderPath[0].find('/'), std::string::npos);
  EXPECT_TRUE(platform::FolderExists(w.run.strFolderPath[1]));
}

TEST_F(WindowsCheckFoldersTest, AFixedDiskIsRefusedInCdRomMode) {
  // The drive list shows the fixed disk that holds the temporary folder.
  std::string root = tmp.path().substr(0, 3);
  ChooseDrive(root);
  EXPECT_EQ(w.Folder(0), root);
  w.boxes.clear();
  EXPECT_EQ(Check(), StepResult::kNotCdRom);
  EXPECT_EQ(OnlyBoxText(), kNotCdRom);
  ASSERT_FALSE(w.focusLog.empty());
  EXPECT_EQ(w.focusLog.back(), "drvNew");
}

TEST_F(WindowsCheckFoldersTest, ACdRomDriveWithTheHourlyTreePasses) {
  std::string root = EnvironmentText("DORVAX_TEST_CDROM");
  if (root.empty()) GTEST_SKIP() << "no CD-ROM drive declared (DORVAX_TEST_CDROM)";
  ASSERT_TRUE(platform::FolderExists(root + "dorvax\\hourly\\"));
  ChooseDrive(root);
  EXPECT_EQ(w.Folder(0), root);
  EXPECT_EQ(Check(), StepResult::kGoOn);
  EXPECT_TRUE(w.boxes.empty()) << OnlyBoxText();
  EXPECT_EQ(w.run.strFolderPath[0], root + "dorvax\\hourly\\");
}

TEST_F(WindowsCheckFoldersTest, AnEmptyCdRomDriveIsAMissingSourceFolder) {
  std::string root = EnvironmentText("DORVAX_TEST_CDROM_EMPTY");
  if (root.empty()) GTEST_SKIP() << "no empty CD-ROM drive declared (DORVAX_TEST_CDROM_EMPTY)";
  ChooseDrive(root);
  w.boxes.clear();
  EXPECT_EQ(Check(), StepResult::kSourceRefused);
  EXPECT_EQ(OnlyBoxText(), "指定された新版フォルダが存在しません。");
  ASSERT_FALSE(w.focusLog.empty());
  EXPECT_EQ(w.focusLog.back(), "drvNew");  // the source box is disabled in CD-ROM mode
}

}  // namespace
}  // namespace dorvax
#endif  // _WIN32
