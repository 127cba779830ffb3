// The machine's drives on Windows: its drive letters, their types and
// volume labels.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/native_path.h"

namespace dorvax::platform {

namespace {

DriveType FromWinType(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE: return DriveType::kRemovable;
    case DRIVE_FIXED: return DriveType::kFixed;
    case DRIVE_REMOTE: return DriveType::kRemote;
    case DRIVE_CDROM: return DriveType::kCdRom;
    case DRIVE_RAMDISK: return DriveType::kRamDisk;
    default: return DriveType::kUnknown;
  }
}

// Root of a network share path "\\server\share\...": "\\server\share\".
std::string UncRootOf(const std::string& path) {
  std::size_t server = path.find_first_of("\\/", 2);
  if (server == std::string::npos) return path + "\\";
  std::size_t share = path.find_first_of("\\/", server + 1);
  return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
}

// Asks for the volume without the system's "insert a disc" box.
class QuietErrors {
 public:
  QuietErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietErrors() { SetErrorMode(old_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  UINT old_;
};

// The volume label, or empty when the drive holds no readable medium.
std::string VolumeLabel(const std::string& root) {
  QuietErrors quiet;
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(ToWide(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
    return {};
  return FromWide(label);
}

DriveEntry EntryOf(const std::string& root) {
  DriveEntry e;
  e.root = root;
  e.type = FromWinType(GetDriveTypeW(ToWide(root).c_str()));
  // A floppy drive is not asked for its label: without a disk that can take
  // seconds.
  if (e.type != DriveType::kRemovable) e.label = VolumeLabel(root);
  return e;
}

class WindowsDrives : public Drives {
 public:
  std::vector<DriveEntry> List() override {
    std::vector<DriveEntry> out;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
      if (!(mask & (1u << i))) continue;
      out.push_back(EntryOf(std::string(1, static_cast<char>('A' + i)) + ":\\"));
    }
    return out;
  }
  DriveEntry Current() override {
    wchar_t buf[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, buf);
    // A current folder on a network share has no drive letter: the list
    // then starts at the first drive of the machine.
    if (n >= 2 && n < MAX_PATH && buf[1] == L':') return EntryOf(FromWide(std::wstring_view(buf, 2)) + "\\");
    std::vector<DriveEntry> all = List();
    return all.empty() ? EntryOf("C:\\") : all.front();
  }
  // The drive part of a path: "Q:\" for "Q:\dorvax\...", "\\server\share\"
  // for a network path.
  std::string RootOf(const std::string& path) override {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return UncRootOf(path);
    return path.substr(0, 3);
  }
  DriveType TypeOf(const std::string& path) override {
    return FromWinType(GetDriveTypeW(ToWide(RootOf(path)).c_str()));
  }
  // A drive is ready when its volume answers and its root can be read: an
  // empty CD-ROM drive fails both.
  bool IsReady(const std::string& root) override {
    QuietErrors quiet;
    std::wstring wide = ToWide(root);
    DWORD serial = 0;
    if (!GetVolumeInformationW(wide.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return false;
    DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
};

}  // namespace

std::unique_ptr<Drives> MakeSystemDrives() { return std::make_unique<WindowsDrives>(); }

}  // namespace dorvax::platform
