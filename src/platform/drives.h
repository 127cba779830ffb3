#pragma once
// The machine's drives: what the drive list shows, the drive that holds a
// path, its type and whether a medium is in it. Behind an interface so that
// tests can take a disc out and put another one in.
#include <memory>
#include <string>
#include <vector>

namespace dorvax::platform {

enum class DriveType { kUnknown, kRemovable, kFixed, kRemote, kCdRom, kRamDisk };

struct DriveEntry {
  std::string root;   // "Q:\" on Windows, the mount point with a trailing "/" elsewhere
  std::string label;  // volume label or device, for display
  DriveType type = DriveType::kUnknown;
  // The text of the drive list: begins with the drive ("q:" on Windows, the
  // mount point elsewhere) followed by the label.
  std::string DisplayText() const;
};

class Drives {
 public:
  virtual ~Drives() = default;
  // The drives of the machine, in the order the drive list shows them.
  virtual std::vector<DriveEntry> List() = 0;
  // The entry the drive list shows first: the current drive.
  virtual DriveEntry Current() = 0;
  // The root of the drive that holds the path ("Q:\" for "Q:\dorvax\...").
  virtual std::string RootOf(const std::string& path) = 0;
  // The type of the drive that holds the path.
  virtual DriveType TypeOf(const std::string& path) = 0;
  // True when the drive whose root is given holds a readable medium.
  virtual bool IsReady(const std::string& root) = 0;
  // The device of the drive whose root is given, and the root at which a
  // device has its medium now (empty when it has none). Where a drive keeps
  // its root, as a drive letter does, both are the root itself; where every
  // disc is mounted at a path of its own (by its label), a new disc in the
  // same drive is found through its device.
  virtual std::string DeviceOf(const std::string& root) { return root; }
  virtual std::string MountPointOf(const std::string& device) { return device; }
};

// The drives of this machine.
std::unique_ptr<Drives> MakeSystemDrives();

#ifndef _WIN32
// Whether a mount (its point with a trailing "/", file-system type and
// source) is one of the drive list's entries: optical drives always; not the
// kernel's own file systems, nor the read-only images of installed packages
// (squashfs), nor the system's places below /proc, /sys, /dev and /run
// (removable media below /run/media excepted).
bool IsListedMount(const std::string& point, const std::string& fsType, const std::string& source);
#endif

// The drive-list text of an entry, reduced to what the folder box receives:
// the first two characters in upper case followed by a separator on Windows
// ("q: [CD]" gives "Q:\"); the mount point with a trailing "/" elsewhere.
std::string DriveRootFromListText(const std::string& listText);

}  // namespace dorvax::platform
