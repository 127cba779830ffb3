// Helpers shared by the generator and oracle tests.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace treegen_test {

// Splits CP932 bytes into characters; lead bytes 0x81-0x9F and 0xE0-0xFC start a
// two-byte character. Written here on its own so it checks the generator's count.
inline std::vector<std::string> Characters(const std::string& bytes) {
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const std::size_t n = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
    chars.push_back(bytes.substr(i, n));
    i += n;
  }
  return chars;
}

// Characters from..to (1-based, inclusive) joined.
inline std::string Columns(const std::vector<std::string>& chars, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t p = from; p <= to && p <= chars.size(); ++p) out += chars[p - 1];
  return out;
}

inline bool HasDoubleByte(const std::vector<std::string>& chars, std::size_t from, std::size_t to) {
  for (std::size_t p = from; p <= to && p <= chars.size(); ++p) {
    if (chars[p - 1].size() == 2) return true;
  }
  return false;
}

inline long ProcessId() {
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(getpid());
#endif
}

// Folders handed out by TempFolder, removed when the test program ends.
struct TempFolders {
  std::vector<std::filesystem::path> made;
  ~TempFolders() {
    for (const auto& dir : made) {
      std::error_code ignored;
      std::filesystem::remove_all(dir, ignored);
    }
  }
};
inline TempFolders gTempFolders;

// A fresh, empty folder named after the running test and this process, so
// that two builds testing at the same time never share one.
inline std::filesystem::path TempFolder(const std::string& tag) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("treegen_" + std::string(info->test_suite_name()) + "_" + info->name() +
                                                "_" + tag + "_" + std::to_string(ProcessId()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  gTempFolders.made.push_back(dir);
  return dir;
}

}  // namespace treegen_test
