#include "support/temp_dir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <random>
#include <sstream>

#include "platform/native_path.h"

namespace fs = std::filesystem;

namespace dorvax::testing {

namespace {
std::atomic<int> g_counter{0};

fs::path Native(const std::string& p) {
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
  for (auto it = fs::recursive_directory_iterator(Native(path_), ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_symlink(ec)) continue;
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(Native(path_), ec);
}

std::string TempDir::operator/(const std::string& relative) const {
  std::string out = path_ + relative;
  for (std::size_t i = path_.size(); i < out.size(); ++i)
    if (out[i] == '/') out[i] = platform::kPathSeparator;
  return out;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(Native(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  // A test whose input was not written would test something else.
  if (!out) throw std::runtime_error("cannot write " + path);
}

void MakeFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(Native(path), ec);
}

}  // namespace dorvax::testing
