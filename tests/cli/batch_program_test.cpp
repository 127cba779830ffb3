// Runs the built batch program as a process on trees written by the test.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "run/small_tree.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using testing::HourlyRoot;
using testing::MakeFolders;
using testing::ReadBytes;
using testing::SmallStation;
using testing::TempDir;
using testing::TreeSnapshot;
using testing::WriteBytes;
using testing::WriteMonth;

const std::string S = platform::Sep();

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// stdin is /dev/null, so no question is asked on a terminal.
Outcome RunBatch(const TempDir& tmp, const std::vector<std::string>& args) {
  std::string command = Quoted(DORVAX_BATCH_PROGRAM);
  for (const std::string& a : args) command += " " + Quoted(a);
  std::string out = tmp / "stdout.txt", err = tmp / "stderr.txt";
  command += " </dev/null >" + Quoted(out) + " 2>" + Quoted(err);
  int raw = std::system(command.c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = ReadBytes(out);
  o.err = ReadBytes(err);
  return o;
}

std::string LastLine(const std::string& text) {
  std::string body = text.substr(0, text.find_last_not_of('\n') + 1);
  std::size_t start = body.find_last_of('\n');
  return start == std::string::npos ? body : body.substr(start + 1);
}

class BatchProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = tmp / "src/";
    destination = tmp / "dst/";
    MakeFolders(destination);
    // 1999/01: 2 + 3 days of records, the second station with value E;
    // 2005/01: one text file.
    WriteMonth(source, "199901", {{101, 11, false, 2}, {202, 12, true, 3}});
    WriteMonth(source, "200501", {{303, 44, false, 1}});
  }
  std::string Output() const { return destination + "dorvax" + S; }

  TempDir tmp;
  std::string source, destination;
};

TEST_F(BatchProgramTest, SuccessfulRunPrintsTheNoticeAndOneSummaryLine) {
  auto before = TreeSnapshot(source);
  Outcome o = RunBatch(tmp, {source, destination});
  EXPECT_EQ(o.status, 0) << o.err;
  // The confirmation is not printed; without a terminal there is no status line.
  EXPECT_EQ(o.err, "[変換終了] Dorvaxデータの変換処理が完了しました。\n");
  std::regex summary(
      "Converted 3 files \\(0 left out\\): 5 DVX and 3 DVS day records, 1 text files; "
      "read [0-9]+\\.[0-9] MB, wrote [0-9]+\\.[0-9] MB in [0-9]+\\.[0-9]{2} s\n");
  EXPECT_TRUE(std::regex_match(o.out, summary)) << o.out;
  // 5 DVX records of 256 bytes, 3 DVS records of 80 bytes.
  EXPECT_EQ(ReadBytes(Output() + "1999" + S + "DVX1999.01").size(), 5u * 256u);
  EXPECT_EQ(ReadBytes(Output() + "1999" + S + "DVS1999.01").size(), 3u * 80u);
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "STNIDX" + S + "IDX" + S + "IDX1999.01"));
  EXPECT_TRUE(platform::FileExists(Output() + "200501" + S + "area44" + S + "h44303_200501.csv"));
  EXPECT_EQ(ReadBytes(Output() + "200501" + S + "idx200501.csv"),
            ReadBytes(HourlyRoot(source) + "200501" + S + "idx200501.csv"));
  EXPECT_EQ(TreeSnapshot(source), before);
}

TEST_F(BatchProgramTest, ExistingOutputIsKeptWithoutYesAndReplacedWithYes) {
  MakeFolders(Output() + "old");
  WriteBytes(Output() + "old" + S + "keep.txt", "mine");

  Outcome kept = RunBatch(tmp, {source, destination});
  EXPECT_EQ(kept.status, 1);
  EXPECT_EQ(kept.err,
            "[確認] 旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\n"
            "（既存フォルダ内のファイルは全て削除されます）\n"
            "  -> No\n"
            "[メッセージ] 変換処理を中断しました。\n"
            "dorvax-hconv-batch: conversion stopped (result 11)\n");
  EXPECT_EQ(kept.out, "");
  EXPECT_EQ(ReadBytes(Output() + "old" + S + "keep.txt"), "mine");

  Outcome replaced = RunBatch(tmp, {"--yes", source, destination});
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_NE(replaced.err.find("  -> Yes\n"), std::string::npos);
  EXPECT_FALSE(platform::FolderExists(Output() + "old"));
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));
}

TEST_F(BatchProgramTest, StopInTheConversionKeepsOrDeletesThePartialTree) {
  WriteBytes(HourlyRoot(source) + "200501" + S + "area44" + S + "ah44303_200501.csv", "too short\r\n");
  auto before = TreeSnapshot(source);
  const std::string shortFile = "[処理中断] ファイル内のデータが足りません。新版データを確認してください。\n";
  const std::string offer = "[確認] 作成した旧版の\"\\dorvax\"フォルダを削除しますか。\n";

  Outcome kept = RunBatch(tmp, {source, destination});
  EXPECT_EQ(kept.status, 1);
  EXPECT_EQ(kept.err, shortFile + offer + "  -> No\ndorvax-hconv-batch: conversion stopped (result 99)\n");
  EXPECT_EQ(kept.out, "");
  EXPECT_TRUE(platform::FileExists(Output() + "1999" + S + "DVX1999.01"));  // the part converted before the stop

  platform::DeleteFolderTree(Output());
  Outcome deleted = RunBatch(tmp, {"--yes", source, destination});
  EXPECT_EQ(deleted.status, 1);
  EXPECT_EQ(deleted.err, shortFile + offer + "  -> Yes\ndorvax-hconv-batch: conversion stopped (result 99)\n");
  EXPECT_FALSE(platform::FolderExists(Output()));
  EXPECT_TRUE(platform::FolderExists(destination));
  EXPECT_EQ(TreeSnapshot(source), before);
}

TEST_F(BatchProgramTest, FileWithAForeignNameIsLeftOutOnlyWithYes) {
  std::string foreign = HourlyRoot(source) + "199901" + S + "area11" + S + "readme.txt";
  WriteBytes(foreign, "not hourly data");
  const std::string question =
      "[確認] 新版ファイル中に、年報CD-ROMのファイルに該当しない名称のファイルがあります。\n"
      "このファイルを処理せずに、変換処理を続けますか？\n"
      "（エラーファイル名：\\199901\\area11\\readme.txt）\n";

  Outcome stopped = RunBatch(tmp, {source, destination});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.err.rfind(question + "  -> No\n[処理中断] 変換処理を中断しました。\n", 0), 0u) << stopped.err;
  EXPECT_EQ(LastLine(stopped.err), "dorvax-hconv-batch: conversion stopped (result 98)");

  platform::DeleteFolderTree(Output());
  Outcome leftOut = RunBatch(tmp, {"--yes", source, destination});
  EXPECT_EQ(leftOut.status, 0) << leftOut.err;
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
  std::vector<SmallStation> stations;
  for (int i = 1; i <= 14; ++i) stations.push_back({100 + i, 11, false, 2});
  WriteMonth(source, "199902", stations);
  const std::string area = HourlyRoot(source) + "199902" + S + "area11" + S;
  ASSERT_EQ(std::rename((area + "ah11102_199902.csv").c_str(), (area + "x.csv").c_str()), 0);

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

TEST_F(BatchProgramTest, RefusedChecksNameTheirResult) {
  struct Case {
    std::vector<std::string> args;
    std::string box;
    int result;
  };
  std::vector<Case> cases = {
      {{tmp / "missing", destination}, "[エラー] 指定された新版フォルダが存在しません。\n", 0},
      {{source, tmp / "missing"}, "[エラー] 指定された旧版フォルダが存在しません。\n", 1},
      {{"", destination}, "[エラー] 新版フォルダの指定がされていません。\n", 0},
      {{source, source}, "[エラー] 新版フォルダと旧版フォルダに同一のフォルダを指定しています。\n", 2},
      {{destination, destination + "."}, "[エラー] 新版フォルダと旧版フォルダに同一のフォルダを指定しています。\n", 2},
      {{destination, source}, "[エラー] 新版の指定フォルダ内に\"\\dorvax\\hourly\"フォルダが存在しません。\n", 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Outcome o = RunBatch(tmp, c.args);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, c.box + "dorvax-hconv-batch: conversion stopped (result " + std::to_string(c.result) + ")\n");
    EXPECT_EQ(o.out, "");
  }
  EXPECT_FALSE(platform::FolderExists(Output()));
}

TEST_F(BatchProgramTest, UsageErrorsHelpAndVersion) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {}, {source}, {source, destination, "extra"}, {"--no-such-option", source, destination}}) {
    Outcome o = RunBatch(tmp, args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("Usage: dorvax-hconv-batch [--yes] SOURCE DEST"), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "");
  }
  EXPECT_FALSE(platform::FolderExists(Output()));

  Outcome help = RunBatch(tmp, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: dorvax-hconv-batch [--yes] SOURCE DEST\n", 0), 0u);
  EXPECT_NE(help.out.find("--yes"), std::string::npos);
  EXPECT_NE(help.out.find("No / Cancel"), std::string::npos);

  Outcome version = RunBatch(tmp, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "Ver.1.00 2007/01/26\n");
  EXPECT_EQ(version.err, "");
}

TEST_F(BatchProgramTest, DoubleDashEndsTheOptions) {
  Outcome o = RunBatch(tmp, {"--", "--yes", destination});
  EXPECT_EQ(o.status, 1);  // "--yes" is a folder text here, not an option
  EXPECT_EQ(o.err.rfind("[エラー] 指定された新版フォルダが存在しません。\n", 0), 0u) << o.err;
}

}  // namespace
}  // namespace dorvax
