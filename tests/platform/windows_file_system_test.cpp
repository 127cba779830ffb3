// Folder and file operations as they behave on Windows: Japanese names
// passed through the wide-character calls, "\" paths and drive roots,
// DOS attributes and the forced deletion, letter case in folder identity,
// and the error numbers raised by real failing calls.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "support/error_number.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
namespace {

using dorvax::testing::MakeFolders;
using dorvax::testing::ReadBytes;
using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

using dorvax::testing::ErrorNumberOf;

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(ToWide(path).c_str()); }

void WriteWithHandle(const std::string& path, const std::string& bytes) {
  FileHandle f(path, OpenMode::kWriteTruncate);
  f.WriteAll(bytes.data(), bytes.size());
  f.Close();
}

// "観測データ" and "時別値_199901.csv" spelled as UTF-16 so that the check does
// not go through the program's own UTF-8 conversion.
const wchar_t kWideFolder[] = L"\u89b3\u6e2c\u30c7\u30fc\u30bf";
const wchar_t kWideFile[] = L"\u6642\u5225\u5024_199901.csv";

TEST(WindowsNames, JapaneseNamesReachTheDiskAsWideCharacters) {
  TempDir dir;
  const std::string folder = dir / "観測データ";
  CreateFolder(folder);
  WriteWithHandle(folder + "\\時別値_199901.csv", "\x8e\x9e\r\n");
  // The names on disk are the Japanese characters, not their UTF-8 bytes read
  // as the ANSI code page.
  std::wstring wideFolder = ToWide(dir.path()) + kWideFolder;
  ASSERT_NE(GetFileAttributesW(wideFolder.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW(wideFolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_NE(GetFileAttributesW((wideFolder + L"\\" + kWideFile).c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_EQ(ListSubfolders(dir.path()), std::vector<std::string>{"観測データ"});
  EXPECT_EQ(ListFiles(folder + "\\"), std::vector<std::string>{"時別値_199901.csv"});
  EXPECT_TRUE(FolderExists(folder + "\\"));
  EXPECT_TRUE(FileExists(folder + "\\時別値_199901.csv"));
  EXPECT_EQ(FromWide(ToWide("旧版\\dorvax\\1999")), "旧版\\dorvax\\1999");
}

TEST(WindowsNames, CopyAndListKeepJapaneseNamesAndBytes) {
  TempDir dir;
  MakeFolders(dir / "新版/1999");
  MakeFolders(dir / "旧版");
  std::string bytes("\x83\x5C\x81\x40\r\n\0\xFF", 8);
  WriteBytes(dir / "新版/1999/idx199901.csv", bytes);
  CopyFileInto(dir / "新版/1999/idx199901.csv", dir / "旧版/");
  EXPECT_EQ(ReadBytes(dir / "旧版/idx199901.csv"), bytes);
  EXPECT_EQ(CountFiles(dir / "旧版/"), 1);
}

TEST(WindowsPaths, BackslashesAndDriveRoots) {
  EXPECT_EQ(kPathSeparator, '\\');
  EXPECT_EQ(Sep(), "\\");
  EXPECT_TRUE(EndsWithSeparator("C:\\data\\"));
  EXPECT_TRUE(EndsWithSeparator("C:/data/"));
  EXPECT_FALSE(EndsWithSeparator("C:"));
  EXPECT_EQ(WithoutTrailingSeparator("C:\\"), "C:\\");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\data\\\\"), "C:\\data");
  EXPECT_EQ(ParentOf("C:\\data\\idx199901.csv"), "C:\\data");
  EXPECT_EQ(ParentOf("C:\\data"), "C:\\");
  EXPECT_EQ(ParentOf("C:/data/sub"), "C:/data");
}

TEST(WindowsPaths, ABareDriveAndADriveRootAreFolders) {
  TempDir dir;
  std::string drive = dir.path().substr(0, 2);  // such as "C:"
  ASSERT_EQ(drive[1], ':');
  EXPECT_TRUE(FolderExists(drive + "\\"));
  EXPECT_TRUE(FolderExists(drive));
  EXPECT_FALSE(ListSubfolders(drive + "\\").empty());
}

TEST(WindowsAttributes, NormalAttributesClearReadOnlyHiddenAndSystem) {
  TempDir dir;
  WriteBytes(dir / "idx200501.csv", "x");
  MakeFolders(dir / "200501");
  const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(ToWide(dir / "idx200501.csv").c_str(), marks));
  ASSERT_EQ(AttributesOf(dir / "idx200501.csv") & marks, marks);
  SetNormalAttributes(dir / "idx200501.csv");
  EXPECT_EQ(AttributesOf(dir / "idx200501.csv") & marks, 0u);
  ASSERT_TRUE(SetFileAttributesW(ToWide(dir / "200501").c_str(), FILE_ATTRIBUTE_HIDDEN));
  SetNormalAttributes(dir / "200501\\");
  EXPECT_EQ(AttributesOf(dir / "200501") & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_NE(AttributesOf(dir / "200501") & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(ErrorNumberOf([&] { SetNormalAttributes(dir / "none.csv"); }), kErrFileNotFound);
}

TEST(WindowsDeletion, ForcedDeletionRemovesMarkedEntriesAndJapaneseNames) {
  TempDir dir;
  MakeFolders(dir / "dorvax/1999/STNIDX/IDX");
  MakeFolders(dir / "dorvax/200501/area11");
  WriteBytes(dir / "dorvax/1999/DVX1999.01", "data");
  WriteBytes(dir / "dorvax/1999/STNIDX/IDX/IDX1999.01", "idx");
  WriteBytes(dir / "dorvax/200501/area11/時別値.csv", "x");
  const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  for (const char* p : {"dorvax/1999/DVX1999.01", "dorvax/1999/STNIDX/IDX/IDX1999.01",
                        "dorvax/200501/area11/時別値.csv", "dorvax/1999/STNIDX", "dorvax/200501"})
    ASSERT_TRUE(SetFileAttributesW(ToWide(dir / p).c_str(), marks)) << p;
  DeleteFolderTree(dir / "dorvax/");
  EXPECT_EQ(AttributesOf(dir / "dorvax"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(ListSubfolders(dir.path()).empty());
}

TEST(WindowsDeletion, AFileHeldOpenStopsTheDeletionWithAccessDenied) {
  TempDir dir;
  MakeFolders(dir / "dorvax/1999");
  WriteBytes(dir / "dorvax/1999/DVX1999.01", "data");
  WriteBytes(dir / "dorvax/1999/DVX1999.02", "data");
  {
    // Another program has the file open without sharing its deletion.
    FileHandle held(dir / "dorvax/1999/DVX1999.02", OpenMode::kRead);
    EXPECT_EQ(ErrorNumberOf([&] { DeleteFolderTree(dir / "dorvax"); }), kErrPermissionDenied);
    EXPECT_TRUE(FileExists(dir / "dorvax/1999/DVX1999.02"));
  }
  DeleteFolderTree(dir / "dorvax");
  EXPECT_FALSE(FolderExists(dir / "dorvax"));
  EXPECT_EQ(ErrorNumberOf([&] { DeleteFolderTree(dir / "dorvax"); }), kErrPathNotFound);
}

TEST(WindowsCanonical, TheSameFolderInAnyLetterCaseOrSpellingIsOneFolder) {
  TempDir dir;
  MakeFolders(dir / "Data/sub");
  MakeFolders(dir / "Other");
  std::string canonical = CanonicalFolder(dir / "Data\\");
  ASSERT_FALSE(canonical.empty());
  EXPECT_EQ(CanonicalFolder(dir / "DATA\\"), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "data"), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "Data\\.\\"), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "Data\\sub\\..\\"), canonical);
  std::string slashes = dir / "Data/";
  for (char& c : slashes)
    if (c == '\\') c = '/';
  EXPECT_EQ(CanonicalFolder(slashes), canonical);
  EXPECT_NE(CanonicalFolder(dir / "Other\\"), canonical);
  EXPECT_NE(CanonicalFolder(dir / "Data\\sub\\"), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "Missing\\"), "");
  WriteBytes(dir / "file", "x");
  EXPECT_EQ(CanonicalFolder(dir / "file"), "");
}

TEST(WindowsCanonical, LetterCaseBeyondAsciiIsFoldedToo) {
  TempDir dir;
  MakeFolders(dir / "Ｄａｔａ");  // full-width Latin letters
  MakeFolders(dir / "Ωmega");
  std::string canonical = CanonicalFolder(dir / "Ｄａｔａ\\");
  ASSERT_FALSE(canonical.empty());
  EXPECT_EQ(CanonicalFolder(dir / "ＤＡＴＡ\\"), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "ｄａｔａ"), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "ωMEGA\\"), CanonicalFolder(dir / "Ωmega\\"));
  EXPECT_NE(CanonicalFolder(dir / "Ωmega\\"), canonical);
}

TEST(WindowsErrors, FailingCallsRaiseTheTestedNumbers) {
  TempDir dir;
  CreateFolder(dir / "1999");
  EXPECT_EQ(ErrorNumberOf([&] { CreateFolder(dir / "1999\\"); }), kErrFileAlreadyExists);
  EXPECT_EQ(ErrorNumberOf([&] { CreateFolder(dir / "none\\1999"); }), kErrPathNotFound);
  WriteBytes(dir / "dorvax", "a file, not a folder");
  EXPECT_EQ(ErrorNumberOf([&] { CreateFolder(dir / "dorvax\\"); }), kErrFileAlreadyExists);
  EXPECT_EQ(ErrorNumberOf([&] { FileHandle f(dir / "1999\\none.csv", OpenMode::kRead); }), kErrFileNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { FileHandle f(dir / "none\\x.csv", OpenMode::kRead); }), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { FileHandle f(dir / "none\\x.csv", OpenMode::kWriteTruncate); }), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { ListSubfolders(dir / "none\\"); }), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { ListFiles(dir / "dorvax\\"); }), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { CopyFileInto(dir / "1999\\none.csv", dir / "1999\\"); }), kErrFileNotFound);
  {
    FileHandle writer(dir / "1999\\DVX1999.01", OpenMode::kWriteTruncate);
    // A second writer is refused while the first holds the file.
    EXPECT_EQ(ErrorNumberOf([&] { FileHandle f(dir / "1999\\DVX1999.01", OpenMode::kWriteFromStart); }),
              kErrPermissionDenied);
  }
}

TEST(WindowsErrors, SystemErrorCodesMapToTheTestedNumbers) {
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_DISK_FULL), kErrDiskFull);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_HANDLE_DISK_FULL), kErrDiskFull);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_ACCESS_DENIED), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_SHARING_VIOLATION), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_WRITE_PROTECT), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_DIR_NOT_EMPTY), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_FILE_NOT_FOUND), kErrFileNotFound);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_PATH_NOT_FOUND), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_NOT_READY), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_INVALID_DRIVE), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_ALREADY_EXISTS), kErrFileAlreadyExists);
  EXPECT_EQ(ErrorNumberFromWin32(ERROR_FILE_EXISTS), kErrFileAlreadyExists);
  RunError full = ErrorFromWin32(ERROR_DISK_FULL, "D:\\dorvax\\1999\\DVX1999.01");
  EXPECT_TRUE(IsDiskFull(full.number()));
  EXPECT_EQ(full.description().rfind(DescribeError(kErrDiskFull), 0), 0u);
  EXPECT_NE(full.description().find("D:\\dorvax\\1999\\DVX1999.01"), std::string::npos);
}

}  // namespace
}  // namespace dorvax::platform
#endif  // _WIN32
