#include "platform/file_system.h"

#include <vector>

#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/list_entries.h"
#include "platform/native_path.h"

namespace dorvax::platform {

using detail::EntryKind;
using detail::ListEntries;

std::vector<std::string> ListSubfolders(const std::string& folder) { return ListEntries(folder, EntryKind::kFolder); }

std::vector<std::string> ListFiles(const std::string& folder) { return ListEntries(folder, EntryKind::kFile); }

int32_t CountFiles(const std::string& folder) {
  return static_cast<int32_t>(ListEntries(folder, EntryKind::kFile).size());
}

void CopyFileInto(const std::string& file, const std::string& folder) {
  faults::Check(faults::Op::kCopyFile, file);
  std::string name = file.substr(ParentOf(file).size());
  while (!name.empty() && IsSeparator(name.front())) name.erase(0, 1);
  std::string target = WithoutTrailingSeparator(folder) + Sep() + name;
  FileHandle in(file, OpenMode::kRead);
  FileHandle out(target, OpenMode::kWriteTruncate);
  std::vector<char> buffer(256 * 1024);
  for (;;) {
    std::size_t got = in.Read(buffer.data(), buffer.size());
    if (got == 0) break;
    out.WriteAll(buffer.data(), got);
  }
  in.Close();
  out.Close();
}

}  // namespace dorvax::platform
