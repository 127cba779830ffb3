#pragma once
// What the file-system operations of both systems share inside the platform
// library: the listing of one folder's entries of one kind, in name order.
#include <string>
#include <vector>

namespace dorvax::platform::detail {

enum class EntryKind { kFile, kFolder };

// The names of the files or the subfolders directly in a folder, sorted by
// NameLess; a folder that cannot be listed raises its error.
std::vector<std::string> ListEntries(const std::string& folder, EntryKind kind);

}  // namespace dorvax::platform::detail
