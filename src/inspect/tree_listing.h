#pragma once
// Everything below a folder, as relative paths in a fixed order, so two
// trees can be walked side by side.
#include <string>
#include <vector>

namespace dorvax::inspect {

struct TreeEntry {
  std::vector<std::string> parts;  // folder names then the entry's own name
  bool isFolder = false;
};

// Every file and folder below `root` (which need not end with a separator),
// folder by folder, names in the converter's listing order. A failure is a
// platform::RunError naming the folder.
std::vector<TreeEntry> ListTree(const std::string& root);

// The order of relative paths: part by part, each by platform::NameLess, so
// a folder comes right before everything inside it.
bool PartsLess(const std::vector<std::string>& a, const std::vector<std::string>& b);

// The parts joined by the platform's separator.
std::string JoinParts(const std::vector<std::string>& parts);

// True when `inner` lies below the folder `outer`.
bool IsBelow(const std::vector<std::string>& inner, const std::vector<std::string>& outer);

}  // namespace dorvax::inspect
