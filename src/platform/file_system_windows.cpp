// The file-system operations on Windows, through the wide-character API.
#include <windows.h>

#include <algorithm>

#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/list_entries.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax::platform {

using detail::EntryKind;

namespace {

// A folder that cannot be listed because it is not there (or is a file) is
// "path not found", whatever the system's code for the way it is missing.
DWORD MissingFolderCode(const std::string& folder, DWORD code) {
  if (code == ERROR_NOT_READY || code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION) return code;
  return FolderExists(folder) ? code : ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::vector<std::string> detail::ListEntries(const std::string& folder, EntryKind kind) {
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

void CreateFolder(const std::string& path) {
  faults::Check(faults::Op::kCreateFolder, path);
  if (!CreateDirectoryW(ToWide(WithoutTrailingSeparator(path)).c_str(), nullptr))
    throw ErrorFromWin32(GetLastError(), path);
}

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
void SetNormalAttributes(const std::string& path) {
  faults::Check(faults::Op::kSetAttributes, path);
  if (!SetFileAttributesW(ToWide(WithoutTrailingSeparator(path)).c_str(), FILE_ATTRIBUTE_NORMAL))
    throw ErrorFromWin32(GetLastError(), path);
}

namespace {

// The path the system resolved for an open folder: dots, 8.3 short names,
// links and letter case as stored on disk. Empty when it cannot be had.
std::wstring FinalPathOf(const std::string& path) {
  HANDLE h =
      CreateFileW(ToWide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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

// The absolute form of a path with "." and ".." resolved, where the system
// cannot open the folder to tell its final path.
std::wstring FullPathOf(const std::string& path) {
  const std::wstring wide = ToWide(path);
  DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::wstring out(n, L'\0');
  n = GetFullPathNameW(wide.c_str(), n, out.data(), nullptr);
  if (n == 0 || n >= out.size()) return {};
  out.resize(n);
  return out;
}

std::wstring UpperCaseOf(const std::wstring& text) {
  if (text.empty()) return text;
  int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), nullptr, 0,
                        nullptr, nullptr, 0);
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
  if (resolved.empty()) resolved = FullPathOf(path);
  if (resolved.empty()) return {};
  // Folder names are compared without letter case by the file system, for
  // every script (full-width Latin, Greek, ...), not only for ASCII.
  return FromWide(UpperCaseOf(resolved));
}
}  // namespace dorvax::platform
