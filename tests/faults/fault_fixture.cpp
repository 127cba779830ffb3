#include "faults/fault_fixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace dorvax::testing {

void PrepareFolderRun(FakeWindow& frm, const std::string& sourceRoot, const std::string& destination) {
  frm.form.optNew_Click(1);
  frm.SetFolder(0, sourceRoot);
  frm.SetFolder(1, destination);
  frm.Answer(MsgAnswer::kYes, "ファイル変換を実行してよろしいですか？");
}

RunOutcome PressRun(FakeWindow& frm) {
  RunOutcome outcome;
  cmdMain_Click(frm.run, frm, 0, outcome);
  return outcome;
}

void ConvertCompletely(const std::string& sourceRoot, const std::string& destination) {
  FakeWindow frm;
  PrepareFolderRun(frm, sourceRoot, destination);
  frm.Answer(MsgAnswer::kOk, "Dorvaxデータの変換処理が完了しました。");
  RunOutcome outcome = PressRun(frm);
  ASSERT_TRUE(outcome.completed) << ::testing::PrintToString(frm.BoxTexts());
}

namespace {

std::string HashOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  uint64_t size = 0;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got; ++i) {
      h ^= static_cast<unsigned char>(buffer[i]);
      h *= 1099511628211ull;
    }
    size += static_cast<uint64_t>(got);
    if (!in) break;
  }
  std::ostringstream s;
  s << "file " << size << " " << std::hex << h;
  return s.str();
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TreeState Snapshot(const std::string& folder) {
  TreeState state;
  std::error_code ec;
  fs::path root(folder);
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    std::string rel = it->path().lexically_relative(root).generic_string();
    fs::file_status st = fs::symlink_status(it->path());
    if (fs::is_symlink(st))
      state[rel] = "link " + fs::read_symlink(it->path()).string();
    else if (fs::is_directory(st))
      state[rel] = "folder";
    else if (fs::is_regular_file(st))
      state[rel] = HashOf(it->path());
    else
      state[rel] = "other";
  }
  EXPECT_FALSE(ec) << folder << ": " << ec.message();
  return state;
}

std::vector<std::string> FilesBelow(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path().lexically_relative(folder).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

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
