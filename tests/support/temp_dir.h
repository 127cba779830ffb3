#pragma once
// A fresh folder for one test, removed with everything in it afterwards,
// and what tests do with files and trees on disk.
#include <map>
#include <string>
#include <vector>

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
// A relative path written with '/', in the platform's form.
std::string Native(std::string slashed);

// Every entry below a folder, by its path relative to the folder: files by
// size and a hash of their bytes, folders, and symbolic links by target
// (links are never followed). Equal states prove a tree unchanged.
using TreeState = std::map<std::string, std::string>;
TreeState Snapshot(const std::string& folder);
// Paths of the files below a folder (relative, '/'-separated), sorted.
std::vector<std::string> FilesBelow(const std::string& folder);

}  // namespace dorvax::testing
