#pragma once
// Folder and file operations of the converter. Every failure is a RunError
// with the error numbers the steps test (53, 58, 61, 70, 76, ...).
#include <cstdint>
#ifndef _WIN32
#include <sys/types.h>
#endif
#include <string>
#include <vector>

#include "platform/name_order.h"

namespace dorvax::platform {

// True when a folder exists at the path (a trailing separator is allowed).
bool FolderExists(const std::string& path);
// True when a file (not a folder) exists at the path.
bool FileExists(const std::string& path);

// Creates one folder; its parent must exist (76 otherwise), and an existing
// entry of that name raises 58.
void CreateFolder(const std::string& path);

// Deletes a folder with everything in it, read-only entries included. A
// symbolic link (an entry, or the folder itself) is removed as a link; what
// it points to is never touched.
void DeleteFolderTree(const std::string& path);

// Names of the subfolders / files directly in a folder, in ascending order of
// their names folded to upper case (ties by byte order), the order in which
// NTFS and CD-ROM file systems list them. A symbolic link counts as what it
// points to; on POSIX systems, a link that leads into a folder this program
// created (the output being written, never to be read back as input), a
// broken link and a link loop are neither file nor folder.
std::vector<std::string> ListSubfolders(const std::string& folder);
std::vector<std::string> ListFiles(const std::string& folder);
// Number of files directly in a folder.
int32_t CountFiles(const std::string& folder);

// Copies a file into a folder under its own name, replacing a file of that
// name; the bytes are kept exactly.
void CopyFileInto(const std::string& file, const std::string& folder);

// Clears the read-only (and on Windows hidden, system, archive) marks.
void SetNormalAttributes(const std::string& path);
#ifndef _WIN32
// The permission bits SetNormalAttributes gives an entry of mode `mode`:
// readable and writable by its owner, a folder also searchable.
mode_t NormalMode(mode_t mode);
#endif

// The canonical form of an existing folder (links and "." / ".." resolved;
// on Windows also letter case), or empty when it cannot be resolved.
std::string CanonicalFolder(const std::string& path);

}  // namespace dorvax::platform
