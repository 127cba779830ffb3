#pragma once
// Shared pieces of the fault tests: a window a test can act through in the
// middle of a run, whole runs of "変換実行" against a source and destination,
// the check that a stopped run's output is the complete run's output as far
// as it got, and scratch mounts (a small or read-only file system) for real
// disk failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "run/run_controller.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

// The window set for a folder source ("CD-ROM以外") and a destination, with
// the run confirmed; further answers are scripted by the test.
void PrepareFolderRun(FakeWindow& frm, const std::string& sourceRoot, const std::string& destination);

// A complete conversion of `sourceRoot` into `destination` (made when
// missing); fails the test when it does not complete.
void ConvertCompletely(const std::string& sourceRoot, const std::string& destination);

// The answers to the boxes after the confirmation, in order, each with a
// text its box must hold.
using Answers = std::vector<std::pair<MsgAnswer, std::string>>;

// A source, a destination and the complete output of the source beside
// them (open to the rows of table tests).
struct FaultRunTest : ::testing::Test {
  // The complete output of the source, for comparison.
  void MakeReference() { ConvertCompletely(source, reference); }

  // "変換実行" from the source into the target (made when missing), the boxes
  // answered in order. Whatever the run met: every failure was one a step
  // handles, no box came unscripted, every file is closed, the source is as
  // it was and nothing is written beside the destination's "dorvax" folder.
  RunOutcome Run(FakeWindow& frm, const Answers& answers);

  TempDir tmp;
  std::string source = tmp / "src/";
  std::string reference = tmp / "ref/";
  std::string target = tmp / "dst/";
};

// The files directly in a folder, by their full paths, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// Line `index` (0-based) of a file of CR LF lines, changed by `change`.
void ChangeLine(const std::string& path, std::size_t index, const std::function<void(std::string& line)>& change);

// The output of a stopped run against the output of a complete one: every
// folder of `written` exists in `reference`, and every file is the complete
// file or a prefix of it (what a full disk leaves of the file being written).
// Returns the number of files that are complete.
int ExpectWrittenAsFar(const std::string& written, const std::string& reference);

// A file system mounted for one test on a folder and unmounted when the
// object goes (also lazily, should a file still be open). Mounting needs
// root; when the system refuses, `reason()` says why and the test skips.
class ScratchMount {
 public:
  explicit ScratchMount(std::string mountPoint) : mountPoint_(std::move(mountPoint)) {}
  ~ScratchMount();
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  // A tmpfs of `bytes` (rounded up to pages by the system) and, when not 0,
  // at most `inodes` entries (the root folder counts as one).
  bool MountTmpfs(std::size_t bytes, std::size_t inodes = 0);
  // The mounted file system made read-only.
  bool RemountReadOnly();
  // `folder` shown again, read-only, at the mount point.
  bool BindReadOnly(const std::string& folder);
  const std::string& reason() const { return reason_; }
  const std::string& path() const { return mountPoint_; }

 private:
  std::string mountPoint_;
  std::string reason_;
  bool mounted_ = false;
};

// Skips the current test with the system's reason when mounting failed.
#define DORVAX_MOUNT_OR_SKIP(expr, mount)                                         \
  do {                                                                            \
    if (!(expr)) {                                                                \
      std::printf("skipped: cannot mount: %s\n", (mount).reason().c_str());       \
      GTEST_SKIP() << "cannot mount a scratch file system: " << (mount).reason(); \
    }                                                                             \
  } while (0)

// The number of 4 KiB pages a tmpfs spends on the files below a folder.
std::size_t PagesOf(const std::string& folder, const std::function<bool(const std::string&)>& which);

// Filesystem access for the tests that need an unreadable entry although they
// run as root: while an object lives, permission checks on files are made for
// an ordinary user (the file-system user id), so a mode of 000 denies reading.
class AsOrdinaryUser {
 public:
  AsOrdinaryUser();
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
  static constexpr unsigned kUser = 65534;
  // Runs `action` with the checks of root again (to change the source from
  // inside a run).
  static void AsRoot(const std::function<void()>& action);

 private:
  unsigned previous_;
};

// The peak resident memory of this process since the last ResetPeakMemory,
// in bytes (VmHWM); 0 when the system does not tell.
void ResetPeakMemory();
std::size_t PeakMemory();
std::size_t CurrentMemory();

}  // namespace dorvax::testing
