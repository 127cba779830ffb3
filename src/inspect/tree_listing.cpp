#include "inspect/tree_listing.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/native_path.h"

namespace dorvax::inspect {

namespace {

void ListFolder(const std::string& folder, std::vector<std::string>& parts, std::vector<TreeEntry>& out) {
  for (const std::string& name : platform::ListFiles(folder)) {
    parts.push_back(name);
    out.push_back({parts, false});
    parts.pop_back();
  }
  for (const std::string& name : platform::ListSubfolders(folder)) {
    parts.push_back(name);
    out.push_back({parts, true});
    ListFolder(folder + name + platform::Sep(), parts, out);
    parts.pop_back();
  }
}

}  // namespace

std::vector<TreeEntry> ListTree(const std::string& root) {
  std::string folder = platform::EndsWithSeparator(root) ? root : root + platform::Sep();
  std::vector<TreeEntry> entries;
  std::vector<std::string> parts;
  ListFolder(folder, parts, entries);
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TreeEntry& a, const TreeEntry& b) { return PartsLess(a.parts, b.parts); });
  return entries;
}

bool PartsLess(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), platform::NameLess);
}

std::string JoinParts(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += platform::kPathSeparator;
    out += part;
  }
  return out;
}

bool IsBelow(const std::vector<std::string>& inner, const std::vector<std::string>& outer) {
  return inner.size() > outer.size() && std::equal(outer.begin(), outer.end(), inner.begin());
}

}  // namespace dorvax::inspect
