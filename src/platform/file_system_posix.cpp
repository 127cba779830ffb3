// The file-system operations on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/list_entries.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "platform/standard_path.h"

namespace fs = std::filesystem;

namespace dorvax::platform {

using detail::EntryKind;

namespace {

// Folders this program created, resolved: the output of the runs. The
// source is never read through a link that leads into them.
std::set<std::string>& CreatedFolders() {
  static std::set<std::string> folders;
  return folders;
}

std::string ResolvedPath(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return {};
  std::string out(resolved);
  std::free(resolved);
  return out;
}

// True when the link resolves to a created folder or to anything below one.
bool LeadsIntoCreatedFolder(const std::string& link) {
  const std::set<std::string>& created = CreatedFolders();
  if (created.empty()) return false;
  std::string p = ResolvedPath(link);
  while (!p.empty()) {
    if (created.count(p)) return true;
    std::size_t slash = p.find_last_of('/');
    if (slash == std::string::npos || slash == 0) break;
    p.resize(slash);
  }
  return false;
}

// The kind of a directory entry. A symbolic link counts as what it points
// to, unless it leads into the output being written; anything else
// (devices, sockets, broken links, link loops) is neither file nor folder.
enum class Found { kFile, kFolder, kOther };

Found KindOfEntry(const std::string& folder, int dirFd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return Found::kFolder;
  if (entry->d_type == DT_REG) return Found::kFile;
  struct stat st;
  if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return Found::kOther;
  if (S_ISLNK(st.st_mode) && (LeadsIntoCreatedFolder(WithoutTrailingSeparator(folder) + Sep() + entry->d_name) ||
                              fstatat(dirFd, entry->d_name, &st, 0) != 0))
    return Found::kOther;
  if (S_ISDIR(st.st_mode)) return Found::kFolder;
  return S_ISREG(st.st_mode) ? Found::kFile : Found::kOther;
}

}  // namespace

std::vector<std::string> detail::ListEntries(const std::string& folder, EntryKind kind) {
  faults::Check(faults::Op::kListFolder, folder);
  DIR* dir = opendir(folder.c_str());
  if (!dir) throw ErrorFromErrno(errno, folder, true);
  std::vector<std::string> names;
  errno = 0;
  while (dirent* entry = readdir(dir)) {
    std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    Found found = KindOfEntry(folder, dirfd(dir), entry);
    if ((kind == EntryKind::kFolder && found == Found::kFolder) || (kind == EntryKind::kFile && found == Found::kFile))
      names.emplace_back(name);
    errno = 0;
  }
  int err = errno;
  closedir(dir);
  if (err != 0) throw ErrorFromErrno(err, folder, true);
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

bool FolderExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(NativePathOf(path), ec);
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(NativePathOf(path), ec);
}

void CreateFolder(const std::string& path) {
  faults::Check(faults::Op::kCreateFolder, path);
  if (::mkdir(WithoutTrailingSeparator(path).c_str(), 0777) != 0) throw ErrorFromErrno(errno, path, true);
  std::string resolved = ResolvedPath(path);
  if (!resolved.empty()) CreatedFolders().insert(resolved);
}

void DeleteFolderTree(const std::string& path) {
  std::string root = WithoutTrailingSeparator(path);
  fs::path native = NativePathOf(root);
  std::error_code ec;
  // A link standing for the folder goes as a link: what it points to is
  // not part of the tree.
  if (fs::is_symlink(fs::symlink_status(native, ec))) {
    faults::Check(faults::Op::kDeleteEntry, root);
    if (!fs::remove(native, ec) && ec) throw ErrorFromCode(ec, root);
    return;
  }
  // Forced deletion: read-only marks are cleared first, as the deletion of a
  // tree copied from a CD-ROM would otherwise fail.
  std::vector<fs::path> entries;
  for (fs::recursive_directory_iterator it(native, fs::directory_options::none, ec), end; !ec && it != end;
       it.increment(ec)) {
    entries.push_back(it->path());
  }
  if (ec) throw ErrorFromCode(ec, path, true);
  for (const fs::path& p : entries) {
    fs::file_status st = fs::symlink_status(p, ec);
    if (!ec && !fs::is_symlink(st)) SetNormalAttributes(Utf8PathOf(p));
  }
  // Deepest entries first, so every folder is empty when its turn comes.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    faults::Check(faults::Op::kDeleteEntry, Utf8PathOf(*it));
    if (!fs::remove(*it, ec) && ec) throw ErrorFromCode(ec, Utf8PathOf(*it));
  }
  faults::Check(faults::Op::kDeleteEntry, root);
  SetNormalAttributes(root);
  if (!fs::remove(native, ec) && ec) throw ErrorFromCode(ec, root);
}
mode_t NormalMode(mode_t mode) { return (mode | S_IWUSR | S_IRUSR | (S_ISDIR(mode) ? S_IXUSR : 0)) & 07777; }

void SetNormalAttributes(const std::string& path) {
  faults::Check(faults::Op::kSetAttributes, path);
  std::string p = WithoutTrailingSeparator(path);
  struct stat st;
  if (::stat(p.c_str(), &st) != 0) throw ErrorFromErrno(errno, path, true);
  const mode_t wanted = NormalMode(st.st_mode);
  if (wanted != (st.st_mode & 07777) && ::chmod(p.c_str(), wanted) != 0) throw ErrorFromErrno(errno, path);
}

std::string CanonicalFolder(const std::string& path) {
  std::error_code ec;
  fs::path canonical = fs::canonical(NativePathOf(path), ec);
  if (ec) return {};
  return Utf8PathOf(canonical);
}
}  // namespace dorvax::platform
