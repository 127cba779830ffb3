#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

#ifdef _WIN32
fs::path NativePath(const std::string& path) { return fs::path(ToWide(path)); }
#else
fs::path NativePath(const std::string& path) { return fs::path(path); }
std::string Utf8Of(const fs::path& p) { return p.native(); }
#endif

enum class EntryKind { kFile, kFolder };

#ifdef _WIN32
// A folder that cannot be listed because it is not there (or is a file) is
// "path not found", whatever the system's code for the way it is missing.
DWORD MissingFolderCode(const std::string& folder, DWORD code) {
  if (code == ERROR_NOT_READY || code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION) return code;
  return FolderExists(folder) ? code : ERROR_PATH_NOT_FOUND;
}

std::vector<std::string> ListEntries(const std::string& folder, EntryKind kind) {
  faults::Check(faults::Op::kListFolder, folder);
  std::wstring pattern = ToWide(WithoutTrailingSeparator(folder)) + L"\\*";
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  std::vector<std::string> names;
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    // Only the root of an empty drive has no "." entry to find.
    if (code == ERROR_FILE_NOT_FOUND && FolderExists(folder)) return names;
    throw ErrorFromWin32(MissingFolderCode(folder, code), folder);
  }
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == (kind == EntryKind::kFolder)) names.push_back(FromWide(name));
  } while (FindNextFileW(h, &data));
  DWORD code = GetLastError();
  FindClose(h);
  if (code != ERROR_NO_MORE_FILES) throw ErrorFromWin32(code, folder);
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}
#else
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
  if (S_ISLNK(st.st_mode) &&
      (LeadsIntoCreatedFolder(WithoutTrailingSeparator(folder) + Sep() + entry->d_name) ||
       fstatat(dirFd, entry->d_name, &st, 0) != 0))
    return Found::kOther;
  if (S_ISDIR(st.st_mode)) return Found::kFolder;
  return S_ISREG(st.st_mode) ? Found::kFile : Found::kOther;
}

std::vector<std::string> ListEntries(const std::string& folder, EntryKind kind) {
  faults::Check(faults::Op::kListFolder, folder);
  DIR* dir = opendir(folder.c_str());
  if (!dir) throw ErrorFromErrno(errno, folder, true);
  std::vector<std::string> names;
  errno = 0;
  while (dirent* entry = readdir(dir)) {
    std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    Found found = KindOfEntry(folder, dirfd(dir), entry);
    if ((kind == EntryKind::kFolder && found == Found::kFolder) ||
        (kind == EntryKind::kFile && found == Found::kFile))
      names.emplace_back(name);
    errno = 0;
  }
  int err = errno;
  closedir(dir);
  if (err != 0) throw ErrorFromErrno(err, folder, true);
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}
#endif

}  // namespace

#ifdef _WIN32
// The attributes straight from the system: a bare drive such as "C:" is the
// current folder of that drive, as everywhere else in Windows.
bool FolderExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
  if (path.empty() || EndsWithSeparator(path)) return false;
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
#else
bool FolderExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(NativePath(path), ec);
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(NativePath(path), ec);
}
#endif

void CreateFolder(const std::string& path) {
  faults::Check(faults::Op::kCreateFolder, path);
#ifdef _WIN32
  if (!CreateDirectoryW(ToWide(WithoutTrailingSeparator(path)).c_str(), nullptr))
    throw ErrorFromWin32(GetLastError(), path);
#else
  if (::mkdir(WithoutTrailingSeparator(path).c_str(), 0777) != 0)
    throw ErrorFromErrno(errno, path, true);
  std::string resolved = ResolvedPath(path);
  if (!resolved.empty()) CreatedFolders().insert(resolved);
#endif
}

#ifdef _WIN32
namespace {

// Removes one folder's contents, deepest entries first. Read-only, hidden
// and system marks are cleared before each deletion (a tree copied from a
// CD-ROM is read-only throughout). A junction or symbolic link is removed as
// a link: the folder it points to is never entered, so nothing outside the
// tree can be lost.
void DeleteContents(const std::string& folder) {
  const std::string base = WithoutTrailingSeparator(folder) + Sep();
  std::wstring pattern = ToWide(base) + L"*";
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND && FolderExists(folder)) return;
    throw ErrorFromWin32(MissingFolderCode(folder, code), folder);
  }
  struct Entry {
    std::string name;
    DWORD attributes;
  };
  std::vector<Entry> entries;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") entries.push_back({FromWide(name), data.dwFileAttributes});
  } while (FindNextFileW(h, &data));
  DWORD code = GetLastError();
  FindClose(h);
  if (code != ERROR_NO_MORE_FILES) throw ErrorFromWin32(code, folder);
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return NameLess(a.name, b.name); });
  for (const Entry& e : entries) {
    std::string full = base + e.name;
    bool isFolder = (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    bool isLink = (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (isFolder && !isLink) DeleteContents(full);
    SetNormalAttributes(full);
    faults::Check(faults::Op::kDeleteEntry, full);
    BOOL removed = isFolder ? RemoveDirectoryW(ToWide(full).c_str()) : DeleteFileW(ToWide(full).c_str());
    if (!removed) throw ErrorFromWin32(GetLastError(), full);
  }
}

}  // namespace

void DeleteFolderTree(const std::string& path) {
  std::string root = WithoutTrailingSeparator(path);
  // A junction or symbolic link standing for the folder goes as a link:
  // what it points to is not part of the tree.
  DWORD rootAttributes = GetFileAttributesW(ToWide(root).c_str());
  if (rootAttributes != INVALID_FILE_ATTRIBUTES && (rootAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    faults::Check(faults::Op::kDeleteEntry, root);
    if (!RemoveDirectoryW(ToWide(root).c_str())) throw ErrorFromWin32(GetLastError(), root);
    return;
  }
  DeleteContents(root);
  SetNormalAttributes(root);
  faults::Check(faults::Op::kDeleteEntry, root);
  if (!RemoveDirectoryW(ToWide(root).c_str())) throw ErrorFromWin32(GetLastError(), root);
}
#else
void DeleteFolderTree(const std::string& path) {
  std::string root = WithoutTrailingSeparator(path);
  fs::path native = NativePath(root);
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
  for (fs::recursive_directory_iterator it(native, fs::directory_options::none, ec), end;
       !ec && it != end; it.increment(ec)) {
    entries.push_back(it->path());
  }
  if (ec) throw ErrorFromCode(ec, path, true);
  for (const fs::path& p : entries) {
    fs::file_status st = fs::symlink_status(p, ec);
    if (!ec && !fs::is_symlink(st)) SetNormalAttributes(Utf8Of(p));
  }
  // Deepest entries first, so every folder is empty when its turn comes.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    faults::Check(faults::Op::kDeleteEntry, Utf8Of(*it));
    if (!fs::remove(*it, ec) && ec) throw ErrorFromCode(ec, Utf8Of(*it));
  }
  faults::Check(faults::Op::kDeleteEntry, root);
  SetNormalAttributes(root);
  if (!fs::remove(native, ec) && ec) throw ErrorFromCode(ec, root);
}
#endif

std::vector<std::string> ListSubfolders(const std::string& folder) {
  return ListEntries(folder, EntryKind::kFolder);
}

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

#ifndef _WIN32
mode_t NormalMode(mode_t mode) {
  return (mode | S_IWUSR | S_IRUSR | (S_ISDIR(mode) ? S_IXUSR : 0)) & 07777;
}
#endif

void SetNormalAttributes(const std::string& path) {
  faults::Check(faults::Op::kSetAttributes, path);
#ifdef _WIN32
  if (!SetFileAttributesW(ToWide(WithoutTrailingSeparator(path)).c_str(), FILE_ATTRIBUTE_NORMAL))
    throw ErrorFromWin32(GetLastError(), path);
#else
  std::string p = WithoutTrailingSeparator(path);
  struct stat st;
  if (::stat(p.c_str(), &st) != 0) throw ErrorFromErrno(errno, path, true);
  const mode_t wanted = NormalMode(st.st_mode);
  if (wanted != (st.st_mode & 07777) && ::chmod(p.c_str(), wanted) != 0) throw ErrorFromErrno(errno, path);
#endif
}

#ifdef _WIN32
namespace {

// The path the system resolved for an open folder: dots, 8.3 short names,
// links and letter case as stored on disk. Empty when it cannot be had.
std::wstring FinalPathOf(const std::string& path) {
  HANDLE h = CreateFileW(ToWide(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::wstring out(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
  if (n >= out.size()) {
    out.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
  }
  CloseHandle(h);
  if (n == 0 || n >= out.size()) return {};
  out.resize(n);
  // "\\?\C:\..." becomes "C:\...", "\\?\UNC\server\..." becomes "\\server\...".
  if (out.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + out.substr(8);
  if (out.rfind(L"\\\\?\\", 0) == 0) return out.substr(4);
  return out;
}

std::wstring UpperCaseOf(const std::wstring& text) {
  if (text.empty()) return text;
  int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                        nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) return text;
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), out.data(), n,
                nullptr, nullptr, 0);
  return out;
}

}  // namespace

std::string CanonicalFolder(const std::string& path) {
  if (path.empty() || !FolderExists(path)) return {};
  std::wstring resolved = FinalPathOf(path);
  if (resolved.empty()) {
    std::error_code ec;
    fs::path canonical = fs::canonical(NativePath(path), ec);
    if (ec) return {};
    resolved = canonical.native();
  }
  // Folder names are compared without letter case by the file system, for
  // every script (full-width Latin, Greek, ...), not only for ASCII.
  return FromWide(UpperCaseOf(resolved));
}
#else
std::string CanonicalFolder(const std::string& path) {
  std::error_code ec;
  fs::path canonical = fs::canonical(NativePath(path), ec);
  if (ec) return {};
  return Utf8Of(canonical);
}
#endif

}  // namespace platform
