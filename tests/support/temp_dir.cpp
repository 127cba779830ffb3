#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/native_path.h"

namespace fs = std::filesystem;

namespace dorvax::testing {

namespace {
std::atomic<int> g_counter{0};

fs::path FsPath(const std::string& p) {
#ifdef _WIN32
  return fs::path(platform::ToWide(p));
#else
  return fs::path(p);
#endif
}
}  // namespace

TempDir::TempDir() {
  fs::path base = fs::temp_directory_path();
  for (;;) {
    std::ostringstream name;
    name << "dorvax-test-" << std::hex << std::random_device{}() << "-" << g_counter++;
    fs::path candidate = base / name.str();
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
#ifdef _WIN32
      path_ = platform::FromWide(candidate.native());
#else
      path_ = candidate.native();
#endif
      break;
    }
  }
  path_ += platform::kPathSeparator;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only entries made by a test must not keep the folder alive.
  // Links are left as they are: their targets may lie outside the folder.
  for (auto it = fs::recursive_directory_iterator(FsPath(path_), ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_symlink(ec)) continue;
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(FsPath(path_), ec);
}

std::string TempDir::operator/(const std::string& relative) const { return path_ + Native(relative); }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  // A test whose input was not written would test something else.
  if (!out) throw std::runtime_error("cannot write " + path);
}

void MakeFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(FsPath(path), ec);
}

std::string Native(std::string slashed) {
  std::replace(slashed.begin(), slashed.end(), '/', platform::kPathSeparator);
  return slashed;
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

}  // namespace

TreeState Snapshot(const std::string& folder) {
  TreeState state;
  std::error_code ec;
  const fs::path root = FsPath(folder);
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
  const fs::path root = FsPath(folder);
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path().lexically_relative(root).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace dorvax::testing
