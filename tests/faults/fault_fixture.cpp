#include "faults/fault_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include "platform/file_handle.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace dorvax::testing {

void PrepareFolderRun(FakeWindow& frm, const std::string& sourceRoot, const std::string& destination) {
  frm.ChooseFolders(sourceRoot, destination);
  frm.Answer(MsgAnswer::kYes, texts::kConfirmRun);
}

void ConvertCompletely(const std::string& sourceRoot, const std::string& destination) {
  fs::create_directories(destination);
  FakeWindow frm;
  PrepareFolderRun(frm, sourceRoot, destination);
  frm.Answer(MsgAnswer::kOk, texts::kFinished);
  RunOutcome outcome = Press(frm, 0);
  ASSERT_TRUE(outcome.completed) << ::testing::PrintToString(frm.BoxTexts());
}

RunOutcome FaultRunTest::Run(FakeWindow& frm, const Answers& answers) {
  fs::create_directories(target);
  const TreeState before = Snapshot(source);
  const int openBefore = platform::OpenFileCount();
  PrepareFolderRun(frm, source, target);
  for (const auto& [answer, text] : answers) frm.Answer(answer, text);
  RunOutcome outcome = Press(frm, 0);
  EXPECT_EQ(outcome.errorNumber, 0) << "every failure is one a step handles";
  EXPECT_EQ(frm.unexpectedBoxes, 0);
  EXPECT_EQ(platform::OpenFileCount(), openBefore);
  EXPECT_EQ(Snapshot(source), before);
  for (const auto& entry : fs::directory_iterator(target))
    EXPECT_EQ(entry.path().filename(), "dorvax") << "written outside the destination's dorvax folder";
  return outcome;
}

void ChangeLine(const std::string& path, std::size_t index, const std::function<void(std::string& line)>& change) {
  std::string text = ReadBytes(path);
  std::size_t begin = 0;
  for (std::size_t i = 0; i < index; ++i) begin = text.find("\r\n", begin) + 2;
  std::size_t end = text.find("\r\n", begin);
  std::string line = text.substr(begin, end - begin);
  change(line);
  WriteBytes(path, text.substr(0, begin) + line + text.substr(end));
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int ExpectWrittenAsFar(const std::string& written, const std::string& reference) {
  int complete = 0;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(written, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    std::string rel = it->path().lexically_relative(written).generic_string();
    fs::path expected = fs::path(reference) / rel;
    if (it->is_directory()) {
      EXPECT_TRUE(fs::is_directory(expected)) << "folder " << rel << " is not part of the complete output";
      continue;
    }
    if (!fs::is_regular_file(expected)) {
      ADD_FAILURE() << "file " << rel << " is not part of the complete output";
      continue;
    }
    std::string got = ReadBytes(it->path().string());
    std::string full = ReadBytes(expected.string());
    EXPECT_TRUE(StartsWith(full, got)) << rel << " (" << got.size() << " of " << full.size()
                                       << " bytes) differs from the complete output";
    if (got.size() == full.size()) ++complete;
  }
  EXPECT_FALSE(ec) << ec.message();
  return complete;
}

ScratchMount::~ScratchMount() {
  if (mounted_ && ::umount2(mountPoint_.c_str(), 0) != 0) ::umount2(mountPoint_.c_str(), MNT_DETACH);
}

bool ScratchMount::MountTmpfs(std::size_t bytes, std::size_t inodes) {
  std::error_code ec;
  fs::create_directories(mountPoint_, ec);
  std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
  if (inodes > 0) options += ",nr_inodes=" + std::to_string(inodes);
  if (::mount("dorvax-test", mountPoint_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    reason_ = std::string("mount -t tmpfs -o ") + options + ": " + std::strerror(errno);
    return false;
  }
  mounted_ = true;
  return true;
}

bool ScratchMount::RemountReadOnly() {
  if (::mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
    reason_ = std::string("mount -o remount,ro: ") + std::strerror(errno);
    return false;
  }
  return true;
}

bool ScratchMount::BindReadOnly(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(mountPoint_, ec);
  if (::mount(folder.c_str(), mountPoint_.c_str(), nullptr, MS_BIND, nullptr) != 0) {
    reason_ = std::string("mount --bind: ") + std::strerror(errno);
    return false;
  }
  mounted_ = true;
  if (::mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
    reason_ = std::string("mount -o remount,bind,ro: ") + std::strerror(errno);
    return false;
  }
  return true;
}

std::size_t PagesOf(const std::string& folder, const std::function<bool(const std::string&)>& which) {
  std::size_t pages = 0;
  for (const std::string& rel : FilesBelow(folder))
    if (which(rel)) pages += (fs::file_size(fs::path(folder) / rel) + 4095) / 4096;
  return pages;
}

AsOrdinaryUser::AsOrdinaryUser() : previous_(static_cast<unsigned>(::setfsuid(kUser))) {}

AsOrdinaryUser::~AsOrdinaryUser() { ::setfsuid(previous_); }

void AsOrdinaryUser::AsRoot(const std::function<void()>& action) {
  unsigned user = static_cast<unsigned>(::setfsuid(0));
  action();
  ::setfsuid(user);
}

namespace {
std::size_t StatusValue(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  std::size_t keyLength = std::strlen(key);
  while (std::getline(in, line)) {
    if (line.compare(0, keyLength, key) == 0) return std::stoull(line.substr(keyLength + 1)) * 1024;
  }
  return 0;
}
}  // namespace

void ResetPeakMemory() {
  // "5" resets the peak resident size to the current one.
  std::ofstream out("/proc/self/clear_refs");
  out << "5";
}

std::size_t PeakMemory() { return StatusValue("VmHWM"); }
std::size_t CurrentMemory() { return StatusValue("VmRSS"); }

}  // namespace dorvax::testing
