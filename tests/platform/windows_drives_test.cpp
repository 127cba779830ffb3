// The machine's drives as Windows reports them: drive roots of paths, the
// drive list's texts, drive types from GetDriveTypeW and readiness.
//
// scripts/windows-tests declares extra drives in the Wine prefix and names
// them here through the environment: DORVAX_TEST_CDROM (a CD-ROM drive
// holding a disc), DORVAX_TEST_CDROM_EMPTY (a CD-ROM drive without one) and
// DORVAX_TEST_NETWORK (a network drive). On a machine without them those
// cases are skipped.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/drives.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
namespace {

using dorvax::testing::TempDir;

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

TEST(WindowsDrives, TheRootOfAPathIsItsDrive) {
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  EXPECT_EQ(drives->RootOf("Q:\\dorvax\\hourly\\"), "Q:\\");
  EXPECT_EQ(drives->RootOf("Q:\\"), "Q:\\");
  EXPECT_EQ(drives->RootOf("d:\\data\\"), "d:\\");
  EXPECT_EQ(drives->RootOf("\\\\server\\share\\dorvax\\hourly\\"), "\\\\server\\share\\");
  EXPECT_EQ(drives->RootOf("\\\\server\\share"), "\\\\server\\share\\");
}

TEST(WindowsDrives, DriveListTextsBeginWithTheLetterAndGiveAnUpperCaseRoot) {
  DriveEntry cd{"Q:\\", "DORVAX2005_1", DriveType::kCdRom};
  EXPECT_EQ(cd.DisplayText(), "q: [DORVAX2005_1]");
  EXPECT_EQ(DriveRootFromListText(cd.DisplayText()), "Q:\\");
  EXPECT_EQ(DriveRootFromListText("c:"), "C:\\");
  DriveEntry unlabelled{"E:\\", "", DriveType::kRemovable};
  EXPECT_EQ(unlabelled.DisplayText(), "e:");
}

TEST(WindowsDrives, TheDriveOfTheTemporaryFolderIsAFixedReadyDriveInTheList) {
  TempDir dir;
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  std::string root = drives->RootOf(dir.path());
  ASSERT_EQ(root.size(), 3u);
  EXPECT_EQ(root.substr(1), ":\\");
  EXPECT_EQ(drives->TypeOf(dir.path()), DriveType::kFixed);
  EXPECT_TRUE(drives->IsReady(root));
  // A drive letter keeps its root whatever disc is in the drive.
  EXPECT_EQ(drives->DeviceOf(root), root);
  EXPECT_EQ(drives->MountPointOf(drives->DeviceOf(root)), root);
  auto all = drives->List();
  auto found = std::find_if(all.begin(), all.end(), [&](const DriveEntry& e) { return e.root == root; });
  ASSERT_NE(found, all.end());
  EXPECT_EQ(found->type, DriveType::kFixed);
  EXPECT_TRUE(
      std::is_sorted(all.begin(), all.end(), [](const DriveEntry& a, const DriveEntry& b) { return a.root < b.root; }));
}

TEST(WindowsDrives, TheCurrentDriveIsTheDriveOfTheCurrentFolder) {
  wchar_t buf[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, buf), 2u);
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  DriveEntry current = drives->Current();
  ASSERT_EQ(current.root.size(), 3u);
  EXPECT_EQ(current.root[0], static_cast<char>(buf[0]));
  EXPECT_EQ(current.root.substr(1), ":\\");
  EXPECT_EQ(DriveRootFromListText(current.DisplayText()).substr(1), ":\\");
}

TEST(WindowsDrives, ADriveLetterWithNoDriveBehindItIsNotReady) {
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  DWORD mask = GetLogicalDrives();
  int unused = 25;
  while (unused >= 3 && (mask & (1u << unused))) --unused;
  ASSERT_GE(unused, 3);
  std::string root = std::string(1, static_cast<char>('A' + unused)) + ":\\";
  EXPECT_FALSE(drives->IsReady(root));
  EXPECT_NE(drives->TypeOf(root + "dorvax\\"), DriveType::kCdRom);
}

TEST(WindowsDrives, ACdRomDriveWithADiscIsACdRomAndReady) {
  std::string root = EnvironmentText("DORVAX_TEST_CDROM");
  if (root.empty()) GTEST_SKIP() << "no CD-ROM drive declared (DORVAX_TEST_CDROM)";
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  EXPECT_EQ(drives->RootOf(root + "dorvax\\hourly\\"), root);
  EXPECT_EQ(drives->TypeOf(root + "dorvax\\hourly\\"), DriveType::kCdRom);
  EXPECT_TRUE(drives->IsReady(root));
  auto all = drives->List();
  auto found = std::find_if(all.begin(), all.end(), [&](const DriveEntry& e) { return e.root == root; });
  ASSERT_NE(found, all.end());
  EXPECT_EQ(found->type, DriveType::kCdRom);
}

TEST(WindowsDrives, ACdRomDriveWithoutADiscIsACdRomButNotReady) {
  std::string root = EnvironmentText("DORVAX_TEST_CDROM_EMPTY");
  if (root.empty()) GTEST_SKIP() << "no empty CD-ROM drive declared (DORVAX_TEST_CDROM_EMPTY)";
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  EXPECT_EQ(drives->TypeOf(root), DriveType::kCdRom);
  EXPECT_FALSE(drives->IsReady(root));
}

TEST(WindowsDrives, ANetworkDriveIsRemote) {
  std::string root = EnvironmentText("DORVAX_TEST_NETWORK");
  if (root.empty()) GTEST_SKIP() << "no network drive declared (DORVAX_TEST_NETWORK)";
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  EXPECT_EQ(drives->TypeOf(root + "data\\"), DriveType::kRemote);
  EXPECT_TRUE(drives->IsReady(root));
}

}  // namespace
}  // namespace dorvax::platform
#endif  // _WIN32
