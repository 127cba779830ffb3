#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <string>

namespace dorvax::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with a separator.
  const std::string& path() const { return path_; }
  // path() + relative (with '/' turned into the platform's separator).
  std::string operator/(const std::string& relative) const;

 private:
  std::string path_;
};

// Whole-file helpers for tests.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Creates the folders on the way as needed.
void MakeFolders(const std::string& path);

}  // namespace dorvax::testing
