#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/run_error.h"
#include "platform/text_file.h"
#include "support/error_number.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
namespace {

using dorvax::testing::MakeFolders;
using dorvax::testing::ReadBytes;
using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

using dorvax::testing::ErrorNumberOf;

TEST(Listing, NamesComeInUpperCaseFoldedOrderWithTiesByBytes) {
  TempDir dir;
  for (const char* name : {"area12", "AREA11", "b", "Area13", "_x", "a"}) MakeFolders(dir / name);
  for (const char* name : {"ah11002_199901.csv", "Ah11001_199901.csv", "AH11003_199901.csv", "a_b.csv"})
    WriteBytes(dir / name, "x");
  // '_' (0x5F) sorts after the upper-case letters once names are folded.
  EXPECT_EQ(ListSubfolders(dir.path()), (std::vector<std::string>{"a", "AREA11", "area12", "Area13", "b", "_x"}));
  EXPECT_EQ(ListFiles(dir.path()),
            (std::vector<std::string>{"Ah11001_199901.csv", "ah11002_199901.csv", "AH11003_199901.csv", "a_b.csv"}));
  EXPECT_EQ(CountFiles(dir.path()), 4);
  EXPECT_TRUE(NameLess("ABC", "abc"));  // equal when folded: byte order decides
  EXPECT_FALSE(NameLess("abc", "ABC"));
}

// Letters beyond ASCII are folded as the file system folds them, and names
// are compared as UTF-16 units: a character beyond the first plane (a
// surrogate pair) comes before the full-width forms.
TEST(Listing, FoldsTheLettersOfTheCodePageAndComparesUtf16Units) {
  const std::vector<std::pair<std::string, std::string>> ordered = {
      {"aｂ.csv", "aＣ.csv"},     // full-width b folds to Ｂ, before Ｃ
      {"aβ", "aΓ"},               // Greek
      {"ё", "а"},                 // Cyrillic Ё (U+0401) before А (U+0410)
      {"ⅱ", "Ⅲ"},                 // small roman numerals
      {"é", "Ï"},                 // Latin-1
      {"\xF0\xA0\x80\x8B", "ｱ"},  // U+2000B, D840 DC0B, before U+FF71
      {"area11", "area11ａ"},
      {"Ａrea", "ａrea"},  // equal when folded: bytes decide
  };
  for (const auto& [first, second] : ordered) {
    EXPECT_TRUE(NameLess(first, second)) << first << " < " << second;
    EXPECT_FALSE(NameLess(second, first)) << second << " < " << first;
  }
  EXPECT_EQ(FoldedUnit(u'ς'), u'Σ');
  EXPECT_EQ(FoldedUnit(u'ÿ'), u'Ÿ');
  EXPECT_EQ(FoldedUnit(u'÷'), u'÷');
  EXPECT_EQ(FoldedUnit(u'ｱ'), u'ｱ');
}

// Whatever bytes names hold (broken UTF-8 among them), the order is a strict
// weak order, so sorting a listing is well defined.
TEST(Listing, NameOrderIsAStrictWeakOrderForAnyBytes) {
  const std::vector<std::string> pieces = {
      "a", "A", "_", "é", "ａ", "Ａ", "\xFF", "\xC3", "\xE2\x85", "ⅰ", "Ⅰ", "\xF0\xA0\x80\x8B", "ｱ", "\xED\xA0\x80",
      ""};
  std::vector<std::string> names;
  for (const auto& x : pieces)
    for (const auto& y : pieces) names.push_back(x + y);
  for (const auto& a : names) {
    EXPECT_FALSE(NameLess(a, a));
    for (const auto& b : names) {
      if (!NameLess(a, b)) continue;
      EXPECT_FALSE(NameLess(b, a)) << a << " / " << b;
      for (const auto& c : names) {
        if (!NameLess(b, c)) continue;
        EXPECT_TRUE(NameLess(a, c)) << a << " / " << b << " / " << c;
      }
    }
  }
}

TEST(Listing, MissingFolderIsPathNotFound) {
  TempDir dir;
  EXPECT_EQ(ErrorNumberOf([&] { ListSubfolders(dir / "none"); }), kErrPathNotFound);
}

TEST(Folders, CreateReportsExistingEntriesAndMissingParents) {
  TempDir dir;
  CreateFolder(dir / "new");
  EXPECT_TRUE(FolderExists(dir / "new"));
  EXPECT_TRUE(FolderExists(dir / "new/"));
  EXPECT_EQ(ErrorNumberOf([&] { CreateFolder(dir / "new"); }), kErrFileAlreadyExists);
  EXPECT_EQ(ErrorNumberOf([&] { CreateFolder(dir / "missing/child"); }), kErrPathNotFound);
  WriteBytes(dir / "file", "x");
  EXPECT_FALSE(FolderExists(dir / "file"));
  EXPECT_TRUE(FileExists(dir / "file"));
  EXPECT_EQ(ErrorNumberOf([&] { CreateFolder(dir / "file"); }), kErrFileAlreadyExists);
}

TEST(Folders, ForcedDeletionRemovesReadOnlyEntries) {
  TempDir dir;
  MakeFolders(dir / "dorvax/1999/STNIDX");
  WriteBytes(dir / "dorvax/1999/DVX1999.01", "data");
  namespace fs = std::filesystem;
  fs::permissions(dir / "dorvax/1999/DVX1999.01", fs::perms::owner_read, fs::perm_options::replace);
  fs::permissions(dir / "dorvax/1999", fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  DeleteFolderTree(dir / "dorvax");
  EXPECT_FALSE(FolderExists(dir / "dorvax"));
}

TEST(Folders, CopyKeepsBytesAndReplacesTheTarget) {
  TempDir dir;
  MakeFolders(dir / "out");
  std::string bytes("\x83\x5C\r\n\0\xFF", 6);
  WriteBytes(dir / "idx199901.csv", bytes);
  WriteBytes(dir / "out/idx199901.csv", "old and longer content");
  CopyFileInto(dir / "idx199901.csv", dir / "out/");
  EXPECT_EQ(ReadBytes(dir / "out/idx199901.csv"), bytes);
  EXPECT_EQ(ErrorNumberOf([&] { CopyFileInto(dir / "none.csv", dir / "out/"); }), kErrFileNotFound);
}

TEST(Folders, NormalAttributesMakeACopiedReadOnlyFileWritable) {
  TempDir dir;
  WriteBytes(dir / "f", "x");
  namespace fs = std::filesystem;
  fs::permissions(dir / "f", fs::perms::owner_read, fs::perm_options::replace);
  SetNormalAttributes(dir / "f");
  auto perms = fs::status(dir / "f").permissions();
  EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

#ifndef _WIN32
TEST(Folders, AFileClosedAsNormalIsWritableWhateverItWasCreatedWith) {
  // A file created under a mask that leaves its owner only reading gets
  // the attributes SetNormalAttributes would give it, through its open file.
  TempDir dir;
  namespace fs = std::filesystem;
  const mode_t oldMask = ::umask(0277);
  TextWriter w;
  w.Open(dir / "h.csv");
  ::umask(oldMask);
  ASSERT_EQ(fs::status(dir / "h.csv").permissions() & fs::perms::owner_write, fs::perms::none);
  w.WriteLine("line");
  w.CloseAsNormalFile();
  EXPECT_FALSE(w.IsOpen());
  EXPECT_NE(fs::status(dir / "h.csv").permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_EQ(ReadBytes(dir / "h.csv"), "line\r\n");
  EXPECT_EQ(NormalMode(S_IFREG | 0400), 0600u);
  EXPECT_EQ(NormalMode(S_IFDIR | 0555), 0755u);

  // A failure to set them is reported; the file stays open for the caller
  // to close on its failure path.
  faults::ScopedFault fail({faults::Op::kSetAttributes, 1, kErrPermissionDenied, ""});
  w.Open(dir / "g.csv");
  EXPECT_EQ(ErrorNumberOf([&] { w.CloseAsNormalFile(); }), kErrPermissionDenied);
  w.CloseQuietly();
  EXPECT_EQ(OpenFileCount(), 0);
}
#endif

TEST(Folders, CanonicalFolderSeesThroughDotsAndLinks) {
  TempDir dir;
  MakeFolders(dir / "data/sub");
#ifndef _WIN32  // creating links needs extra rights on Windows
  std::filesystem::create_directory_symlink(dir / "data", dir / "link");
#endif
  std::string canonical = CanonicalFolder(dir / "data");
  ASSERT_FALSE(canonical.empty());
  EXPECT_EQ(CanonicalFolder(dir / "data/."), canonical);
  EXPECT_EQ(CanonicalFolder(dir / "data/sub/.."), canonical);
#ifndef _WIN32
  EXPECT_EQ(CanonicalFolder(dir / "link/"), canonical);
#endif
  EXPECT_EQ(CanonicalFolder(dir / "nothing"), "");
}

TEST(FaultInjection, TheNthWriteFailsWithTheArmedNumberAndFilesStayClosable) {
  TempDir dir;
  int before = OpenFileCount();
  {
    faults::ScopedFault fault({faults::Op::kWrite, 2, kErrDiskFull, "", false});
    FileHandle f(dir / "x.bin", OpenMode::kWriteTruncate);
    f.WriteAll("a", 1);
    EXPECT_EQ(ErrorNumberOf([&] { f.WriteAll("b", 1); }), kErrDiskFull);
    EXPECT_TRUE(faults::Fired());
  }
  EXPECT_EQ(OpenFileCount(), before);
  EXPECT_EQ(ReadBytes(dir / "x.bin"), "a");
}

TEST(FaultInjection, OnlyPathsHoldingTheTextCountAndADeletionCanFailHalfway) {
  TempDir dir;
  MakeFolders(dir / "tree/a");
  MakeFolders(dir / "tree/b");
  WriteBytes(dir / "tree/a/1", "x");
  WriteBytes(dir / "tree/b/2", "x");
  {
    faults::ScopedFault fault({faults::Op::kDeleteEntry, 1, kErrPermissionDenied, "b", false});
    EXPECT_EQ(ErrorNumberOf([&] { DeleteFolderTree(dir / "tree"); }), kErrPermissionDenied);
  }
  EXPECT_TRUE(FolderExists(dir / "tree/b"));
  DeleteFolderTree(dir / "tree");
  EXPECT_FALSE(FolderExists(dir / "tree"));
}

TEST(ErrorMapping, OperatingSystemErrorsBecomeTheTestedNumbers) {
  EXPECT_EQ(ErrorNumberFromErrno(ENOSPC), kErrDiskFull);
  EXPECT_EQ(ErrorNumberFromErrno(EACCES), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromErrno(EROFS), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromErrno(EPERM), kErrPermissionDenied);
  EXPECT_EQ(ErrorNumberFromErrno(ENOENT), kErrFileNotFound);
  EXPECT_EQ(ErrorNumberFromErrno(ENOENT, true), kErrPathNotFound);
  EXPECT_EQ(ErrorNumberFromErrno(EEXIST), kErrFileAlreadyExists);
  // A tree that does not come empty when deleted is one held open.
  EXPECT_EQ(ErrorNumberFromErrno(ENOTEMPTY), kErrPermissionDenied);
  EXPECT_TRUE(IsDiskFull(kStatusDiskFull));
  EXPECT_EQ(MakeError(kErrInputPastEnd).description(), DescribeError(kErrInputPastEnd));
}

}  // namespace
}  // namespace dorvax::platform
