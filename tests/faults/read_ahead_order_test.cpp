// Reading the hourly files ahead changes nothing a user or a test can see.
// Each run here is made twice, once with the files read ahead and once with
// every file read when the walk comes to it, and both must show the same
// boxes, status texts, progress and focus in the same order, end with the
// same result and leave the same output and no file open: when every call of
// an operation fails in turn (an injected failure is met at the same file
// and read), and when the source holds files that cannot be read, hold too
// little or are too large to be read ahead.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/read_ahead.h"
#include "platform/run_error.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using platform::faults::Op;

struct Seen {
  std::vector<std::string> log;
  int result = 0;
  bool completed = false;
  TreeState output;
  int openAfter = 0;
  bool fired = false;
};

// No call matches this.
platform::faults::Plan NoFault() {
  platform::faults::Plan plan;
  plan.pathContains = "\x01";
  return plan;
}

// One run of `source` into a fresh `target`, with `plan` armed; the boxes
// after the confirmation are answered from `answers` in order (a stop box
// or the completion notice, then the deletion offer, unless a case says
// otherwise).
Seen RunOnce(const std::string& source, const std::string& target, std::size_t readAhead,
             const std::vector<MsgAnswer>& answers, const platform::faults::Plan& plan) {
  std::error_code ec;
  fs::remove_all(target, ec);
  fs::create_directories(target);
  FakeWindow frm;
  frm.run.readAheadFiles = readAhead;
  PrepareFolderRun(frm, source, target);
  for (MsgAnswer answer : answers) frm.Answer(answer);
  Seen seen;
  RunOutcome outcome;
  {
    platform::faults::ScopedFault fault(plan);
    outcome = Press(frm, 0);
    seen.fired = platform::faults::Fired();
  }
  seen.log = frm.log;
  seen.result = ResultNumber(outcome.result);
  seen.completed = outcome.completed;
  seen.output = Snapshot(target);
  seen.openAfter = platform::OpenFileCount();
  return seen;
}

// Runs both ways and expects the same; returns the run reading ahead.
Seen ExpectSameBothWays(const std::string& source, const std::string& target, const std::vector<MsgAnswer>& answers,
                        const platform::faults::Plan& plan = NoFault()) {
  const int openBefore = platform::OpenFileCount();
  Seen inTurn = RunOnce(source, target, 0, answers, plan);
  Seen ahead = RunOnce(source, target, 2, answers, plan);  // few buffers: the thread waits for room too
  EXPECT_EQ(ahead.log, inTurn.log);
  EXPECT_EQ(ahead.result, inTurn.result);
  EXPECT_EQ(ahead.completed, inTurn.completed);
  EXPECT_EQ(ahead.output, inTurn.output);
  EXPECT_EQ(ahead.fired, inTurn.fired);
  EXPECT_EQ(ahead.openAfter, openBefore);
  EXPECT_EQ(inTurn.openAfter, openBefore);
  return ahead;
}

class ReadAheadOrder : public ::testing::TestWithParam<Op> {
 protected:
  TempDir tmp;
  std::string source = tmp / "src/";
  std::string target = tmp / "dst/";
};

// Both eras, two areas of six files each, so that files are read ahead
// within every area; the N-th call fails for N = 1, 2, ... until a run no
// longer reaches it.
TEST_P(ReadAheadOrder, EveryCallFailingInTurnStopsAtTheSamePlace) {
  WriteSourceTree(source, {199901, 200001}, 12);
  platform::faults::Plan plan;
  plan.op = GetParam();
  plan.errorNumber = platform::kErrDeviceIo;
  int64_t n = 1;
  for (;; ++n) {
    SCOPED_TRACE("failing at call " + std::to_string(n));
    plan.failAt = n;
    if (!ExpectSameBothWays(source, target, {MsgAnswer::kOk, MsgAnswer::kNo}, plan).fired || HasFailure()) break;
    ASSERT_LT(n, 3000) << "the loop does not end";
  }
  EXPECT_GT(n, 12) << "fewer calls than files";
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadAheadOrder, ::testing::Values(Op::kOpenRead, Op::kRead, Op::kAny),
                         [](const ::testing::TestParamInfo<Op>& info) {
                           return info.param == Op::kOpenRead ? std::string("OpenForReading")
                                  : info.param == Op::kRead   ? std::string("Read")
                                                              : std::string("AnyOperation");
                         });

// The third of the six files of an area is changed as each case says, and
// the run ends with `result` (-1: completed).
struct SourceCase {
  const char* name;
  int month;
  std::function<void(const std::string& file)> change;
  std::vector<MsgAnswer> answers;
  int result;
  bool asOrdinaryUser = false;
};

std::string ThirdFile(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files.at(2);
}

// A data line repeated until the file is larger than a read-ahead buffer.
void Lengthen(const std::string& file) {
  std::string text = ReadBytes(file);
  std::size_t lastLine = text.rfind("\r\n", text.size() - 3) + 2;
  std::string line = text.substr(lastLine);
  while (text.size() <= platform::ReadAheadFile::kMaxBytes + 1000) text += line;
  WriteBytes(file, text);
}

TEST(ReadAheadOrderOfSources, FilesThatFailOrAreReadByTheStepsAreMetWhereTheyStand) {
  const std::vector<MsgAnswer> stop = {MsgAnswer::kOk, MsgAnswer::kNo};
  const std::vector<SourceCase> cases = {
      {"empty", 200001, [](const std::string& f) { WriteBytes(f, ""); }, stop, 99},
      {"three lines", 200001, [](const std::string& f) { WriteBytes(f, "1\r\n2\r\n3"); }, stop, 99},
      {"unreadable", 199901, [](const std::string& f) { fs::permissions(f, fs::perms::none); }, stop, 99, true},
      {"larger than a buffer, binary era", 199901, Lengthen, {MsgAnswer::kOk}, -1},
      {"larger than a buffer, text era", 200001, Lengthen, {MsgAnswer::kOk}, -1},
      {"a name that does not fit, declined",
       200001,
       [](const std::string& f) { fs::rename(f, fs::path(f).parent_path() / ("b" + fs::path(f).filename().string())); },
       {MsgAnswer::kNo, MsgAnswer::kOk, MsgAnswer::kNo},
       98},
      {"a name that does not fit, left out",
       199901,
       [](const std::string& f) { fs::rename(f, fs::path(f).parent_path() / "x.csv"); },
       {MsgAnswer::kYes, MsgAnswer::kOk, MsgAnswer::kOk},
       -1},
  };
  for (const SourceCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir tmp;
    std::string source = tmp / "src/";
    WriteSourceTree(source, {199901, 200001}, 12);
    c.change(ThirdFile(AreaFolder(source, c.month, 11)));
    fs::permissions(tmp.path(), fs::perms::all);
    std::optional<AsOrdinaryUser> user;
    if (c.asOrdinaryUser) user.emplace();
    Seen seen = ExpectSameBothWays(source, tmp / "dst/", c.answers);
    EXPECT_EQ(seen.result, c.result);
    EXPECT_EQ(seen.completed, c.result == -1);
  }
}

}  // namespace
}  // namespace dorvax::testing
