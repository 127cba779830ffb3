// Runs the built batch program as a process on trees written by the test.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "support/box_texts.h"
#include "support/program_run.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using namespace testing::texts;
using testing::MakeFolders;
using testing::ProgramResult;
using testing::ReadBytes;
using testing::Snapshot;
using testing::SourceTree;
using testing::TempDir;
using testing::WriteBytes;

const std::string S = platform::Sep();

// A relative path written with '/', in the platform's separator.
std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', S[0]);
  return path;
}

// No question is asked: the program's input is no terminal. `folder`, when
// given, is the program's current folder.
ProgramResult RunBatch(const std::vector<std::string>& args, const std::string& folder = {}) {
  return testing::RunProgram(DORVAX_BATCH_PROGRAM, args, folder);
}

std::string LastLine(const std::string& text) {
  std::string body = text.substr(0, text.find_last_not_of('\n') + 1);
  std::size_t start = body.find_last_of('\n');
  return start == std::string::npos ? body : body.substr(start + 1);
}

class BatchProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolders(destination);
    // 1999/01: 2 + 3 days of records, the second station with value E;
    // 2005/01: one text file.
    tree.Month("199901", {{101, 11, "10000", 2}, {202, 12, "10001", 3}}).Month("200501", {{303, 44, "10000", 1}});
  }
  std::string Output() const { return destination + "dorvax" + S; }

  TempDir tmp;
  std::string source = tmp / "src/", destination = tmp / "dst/";
  SourceTree tree{source};
};

TEST_F(BatchProgramTest, SuccessfulRunPrintsTheNoticeAndOneSummaryLine) {
  auto before = Snapshot(source);
  ProgramResult o = RunBatch({source, destination});
  EXPECT_EQ(o.code, 0) << o.err;
  // The confirmation is not printed; without a terminal there is no status line.
  EXPECT_EQ(o.err, "[変換終了] " + kFinished + "\n");
  std::regex summary(
      "Converted 3 files \\(0 left out\\): 5 DVX and 3 DVS day records, 1 text files; "
      "read [0-9]+\\.[0-9] MB, wrote [0-9]+\\.[0-9] MB in [0-9]+\\.[0-9]{2} s\n");
  EXPECT_TRUE(std::regex_match(o.out, summary)) << o.out;
  // 5 DVX records of 256 bytes, 3 DVS records of 80 bytes.
  EXPECT_EQ(ReadBytes(Output() + "1999" + S + "DVX1999.01").size(), 5u * 256u);
  EXPECT_EQ(ReadBytes(Output() + "1999" + S + "DVS1999.01").size(), 3u * 80u);
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "STNIDX" + S + "IDX" + S + "IDX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(ReadBytes(Output() + "200501" + S + "idx200501.csv"), ReadBytes(tree.Path("200501/idx200501.csv")));
  EXPECT_EQ(Snapshot(source), before);
}

TEST_F(BatchProgramTest, RelativeFoldersStartAtTheCurrentFolder) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{".", "../dst"}, std::vector<std::string>{"--yes", "./", "../dst/"}}) {
    ProgramResult o = RunBatch(args, source);
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
  }
  MakeFolders(tmp / "a");
  ProgramResult o = RunBatch({"--yes", "src", "a"}, tmp.path());
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(platform::FolderExists(tmp / "a/dorvax/200501"));
}

// Ctrl+C while the tree is written: the tree is reported as incomplete, and
// with --yes deleted.
TEST_F(BatchProgramTest, InterruptedRunReportsOrDeletesTheIncompleteTree) {
  std::vector<testing::Station> many;
  for (int n = 1; n <= 600; ++n) many.push_back({n, 11 + n % 8, "10000", 20});
  tree.Month("199902", many);
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "--yes" : "no --yes");
    if (platform::FolderExists(Output())) platform::DeleteFolderTree(Output());
    std::vector<std::string> args{source, destination};
    if (yes) args.insert(args.begin(), "--yes");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::vector<char*> argv{const_cast<char*>(DORVAX_BATCH_PROGRAM)};
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      std::freopen((tmp / "err.txt").c_str(), "w", stderr);
      std::freopen("/dev/null", "r", stdin);
      execv(DORVAX_BATCH_PROGRAM, argv.data());
      _exit(127);
    }
    // Once the first record file is there, the conversion of the hourly
    // files is under way.
    const std::string firstFile = Output() + "1999" + S + "DVX1999.01";
    for (int i = 0; i < 2000 && !platform::FileExists(firstFile); ++i) usleep(5000);
    kill(child, SIGINT);
    int raw = 0;
    waitpid(child, &raw, 0);
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    const std::string err = ReadBytes(tmp / "err.txt");
    EXPECT_NE(err.find("conversion stopped (interrupted)"), std::string::npos) << err;
    const std::string tree = destination + "dorvax";
    if (yes) {
      EXPECT_NE(err.find("deleted the incomplete " + tree), std::string::npos) << err;
      EXPECT_FALSE(platform::FolderExists(tree));
    } else {
      EXPECT_NE(err.find(tree + " is incomplete"), std::string::npos) << err;
      EXPECT_TRUE(platform::FolderExists(tree));
    }
  }
}

TEST_F(BatchProgramTest, ExistingOutputIsKeptWithoutYesAndReplacedWithYes) {
  MakeFolders(Output() + "old");
  WriteBytes(Output() + "old" + S + "keep.txt", "mine");

  ProgramResult kept = RunBatch({source, destination});
  EXPECT_EQ(kept.code, 1);
  EXPECT_EQ(
      kept.err,
      "[確認] "
      "旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\n"
      "（既存フォルダ内のファイルは全て削除されます）\n"
      "  -> No\n"
      "[メッセージ] " +
          kAborted + "\n" + "dorvax-hconv-batch: conversion stopped (result 11)\n");
  EXPECT_EQ(kept.out, "");
  EXPECT_EQ(ReadBytes(Output() + "old" + S + "keep.txt"), "mine");

  ProgramResult replaced = RunBatch({"--yes", source, destination});
  EXPECT_EQ(replaced.code, 0) << replaced.err;
  EXPECT_NE(replaced.err.find("  -> Yes\n"), std::string::npos);
  EXPECT_FALSE(platform::FolderExists(Output() + "old"));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
}

TEST_F(BatchProgramTest, StopInTheConversionKeepsOrDeletesThePartialTree) {
  tree.File("200501/area44/ah44303_200501.csv", "too short\r\n");
  auto before = Snapshot(source);
  const std::string shortFile = "[処理中断] " + kShortFile + "\n";
  const std::string offer = "[確認] " + kOfferDeletion + "\n";
  // The box names no cause: the batch program prints it before the result.
  const std::string stopped = "dorvax-hconv-batch: 62 : ファイルにこれ以上データがありません。 (" +
                              Native("dorvax/hourly/200501/area44/ah44303_200501.csv") +
                              ": line 2)\ndorvax-hconv-batch: conversion stopped (result 99)\n";

  ProgramResult kept = RunBatch({source, destination});
  EXPECT_EQ(kept.code, 1);
  EXPECT_EQ(kept.err, shortFile + offer + "  -> No\n" + stopped);
  EXPECT_EQ(kept.out, "");
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));  // the part converted before the stop

  platform::DeleteFolderTree(Output());
  ProgramResult deleted = RunBatch({"--yes", source, destination});
  EXPECT_EQ(deleted.code, 1);
  EXPECT_EQ(deleted.err, shortFile + offer + "  -> Yes\n" + stopped);
  EXPECT_FALSE(platform::FolderExists(Output()));
  EXPECT_TRUE(platform::FolderExists(destination));
  EXPECT_EQ(Snapshot(source), before);
}

TEST_F(BatchProgramTest, FileWithAForeignNameIsLeftOutOnlyWithYes) {
  std::string foreign = tree.Path("199901/area11/readme.txt");
  WriteBytes(foreign, "not hourly data");
  const std::string question =
      "[確認] 新版ファイル中に、年報CD-ROMのファイルに該当しない名称のファイルがあります。\n"
      "このファイルを処理せずに、変換処理を続けますか？\n"
      "（エラーファイル名：\\199901\\area11\\readme.txt）\n";

  ProgramResult stopped = RunBatch({source, destination});
  EXPECT_EQ(stopped.code, 1);
  EXPECT_EQ(stopped.err.rfind(question + "  -> No\n[処理中断] " + kAborted + "\n", 0), 0u) << stopped.err;
  EXPECT_EQ(LastLine(stopped.err), "dorvax-hconv-batch: conversion stopped (result 98)");

  platform::DeleteFolderTree(Output());
  ProgramResult leftOut = RunBatch({"--yes", source, destination});
  EXPECT_EQ(leftOut.code, 0) << leftOut.err;
  EXPECT_NE(leftOut.err.find("[メッセージ] 一部ファイルについては、変換処理を行いませんでした。\n"
                             "（未処理ファイル数： 1 ファイル）\n[変換終了]"),
            std::string::npos)
      << leftOut.err;
  EXPECT_EQ(leftOut.out.rfind("Converted 3 files (1 left out): ", 0), 0u) << leftOut.out;
  EXPECT_EQ(ReadBytes(foreign), "not hourly data");
}

// Output of a child on the terminal it was given, up to `until` (or to its
// end when empty), waiting at most 60 s for each piece.
std::string ReadTerminal(int master, const std::string& until) {
  std::string seen;
  char buffer[4096];
  while (until.empty() || seen.find(until) == std::string::npos) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 60000) <= 0) break;
    ssize_t got = ::read(master, buffer, sizeof buffer);
    if (got <= 0) break;  // EIO once the child has closed the terminal
    seen.append(buffer, static_cast<std::size_t>(got));
  }
  return seen;
}

// Ctrl+C while the files of an area are read ahead (the program waits for
// the answer to a name that does not fit, with the files after it read):
// the run ends at its next progress step as closing the window ends it, and
// the process ends.
TEST_F(BatchProgramTest, InterruptWithFilesReadAheadEndsTheRun) {
  std::vector<testing::Station> stations = testing::Stations(14, 11);
  for (testing::Station& station : stations) station.days = 2;
  tree.Month("199902", stations);
  ASSERT_EQ(
      std::rename(tree.Path("199902/area11/ah11002_199902.csv").c_str(), tree.Path("199902/area11/x.csv").c_str()), 0);

  int master = -1;
  pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(DORVAX_BATCH_PROGRAM, DORVAX_BATCH_PROGRAM, source.c_str(), destination.c_str(), nullptr);
    ::_exit(127);
  }
  std::string seen = ReadTerminal(master, "Enter = ");
  ASSERT_NE(seen.find("x.csv"), std::string::npos) << seen;
  ::kill(child, SIGINT);
  ASSERT_EQ(::write(master, "y\r", 2), 2);
  seen += ReadTerminal(master, "");
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(master);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << seen;
  EXPECT_NE(seen.find("[処理中断] 変換プログラムを強制終了します。"), std::string::npos) << seen;
  EXPECT_NE(seen.find("conversion stopped (interrupted)"), std::string::npos) << seen;
  EXPECT_EQ(seen.find("[変換終了]"), std::string::npos) << seen;
}

// A value that is no number stops the conversion with a box that names the
// file below the source folder and the line, in both eras.
TEST_F(BatchProgramTest, ContentFailureNamesTheFileAndLine) {
  std::vector<std::string> blankFlag = testing::CompleteDays(1);
  blankFlag[2][12] = ' ';  // the flag of value A on line 7
  struct Case {
    std::string file, yyyymm;
    int32_t station;
    std::string expected;
  };
  const std::string stop = "[処理中断] エラー発生により、現在の処理を中断します。\n13 : 型が一致しません。 (";
  const std::vector<Case> cases = {
      {"199901/area11/ah11101_199901.csv", "199901", 101,
       stop + Native("dorvax/hourly/199901/area11/ah11101_199901.csv") + ": line 7: \""},
      {"200501/area44/ah44303_200501.csv", "200501", 303,
       stop + Native("dorvax/hourly/200501/area44/ah44303_200501.csv") + ": line 7: \""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string original = ReadBytes(tree.Path(c.file));
    tree.File(c.file, testing::HourlyFile(c.station, c.yyyymm, blankFlag));
    ProgramResult o = RunBatch({"--yes", source, destination});
    tree.File(c.file, original);
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(c.expected), std::string::npos) << o.err;
  }
}

TEST_F(BatchProgramTest, RefusedChecksNameTheirResult) {
  struct Case {
    std::vector<std::string> args;
    std::string box;
    int result;
  };
  std::vector<Case> cases = {
      {{tmp / "missing", destination}, "[エラー] " + kNoSourceFolder + "\n", 0},
      {{source, tmp / "missing"}, "[エラー] 指定された旧版フォルダが存在しません。\n", 1},
      {{"", destination}, "[エラー] 新版フォルダの指定がされていません。\n", 0},
      {{source, source}, "[エラー] " + kSameFolder + "\n", 2},
      {{destination, destination + "."}, "[エラー] " + kSameFolder + "\n", 2},
      {{destination, source}, "[エラー] " + kNoHourlyTree + "\n", 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    ProgramResult o = RunBatch(c.args);
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, c.box + "dorvax-hconv-batch: conversion stopped (result " + std::to_string(c.result) + ")\n");
    EXPECT_EQ(o.out, "");
  }
  EXPECT_FALSE(platform::FolderExists(Output()));
}

TEST_F(BatchProgramTest, UsageErrorsHelpAndVersion) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {}, {source}, {source, destination, "extra"}, {"--no-such-option", source, destination}}) {
    ProgramResult o = RunBatch(args);
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("Usage: dorvax-hconv-batch [--yes] SOURCE DEST"), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "");
  }
  EXPECT_FALSE(platform::FolderExists(Output()));

  ProgramResult help = RunBatch({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("Usage: dorvax-hconv-batch [--yes] SOURCE DEST\n", 0), 0u);
  // What a user must know before the first run: the answers, that DEST is
  // not created, what Ctrl+C leaves, when progress shows, the exit statuses.
  for (const char* text : {"--yes", "No / Cancel", "DEST\nmust exist", "Ctrl+C: the run stops",
                           "reported on stderr\nas incomplete and, with --yes, deleted", "when stderr is a terminal",
                           "Exit status: 0 converted; 1"})
    EXPECT_NE(help.out.find(text), std::string::npos) << text;

  ProgramResult version = RunBatch({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, "Ver.1.00 2007/01/26\n");
  EXPECT_EQ(version.err, "");
}

TEST_F(BatchProgramTest, DoubleDashEndsTheOptions) {
  ProgramResult o = RunBatch({"--", "--yes", destination});
  EXPECT_EQ(o.code, 1);  // "--yes" is a folder text here, not an option
  EXPECT_EQ(o.err.rfind("[エラー] " + kNoSourceFolder + "\n", 0), 0u) << o.err;
}

}  // namespace
}  // namespace dorvax
