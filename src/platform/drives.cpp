#include "platform/drives.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/native_path.h"

namespace platform {

std::string DriveEntry::DisplayText() const {
#ifdef _WIN32
  std::string text = root.substr(0, 2);
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return label.empty() ? text : text + " [" + label + "]";
#else
  return label.empty() ? root : root + " [" + label + "]";
#endif
}

std::string DriveRootFromListText(const std::string& listText) {
#ifdef _WIN32
  std::string root = listText.substr(0, 2);
  for (char& c : root) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return root + "\\";
#else
  std::string root = listText.substr(0, listText.find(" ["));
  if (!EndsWithSeparator(root)) root += '/';
  return root;
#endif
}

namespace {

#ifdef _WIN32

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

#else

// A folder path as mount points are compared: with a trailing "/".
std::string WithTrailingSlash(std::string path) {
  if (!EndsWithSeparator(path)) path += '/';
  return path;
}

struct Mount {
  std::string point;   // with a trailing "/"
  std::string fsType;
  std::string source;
  bool whole = true;   // the whole file system, not a folder of it bound elsewhere
};

// Undoes the octal escapes of /proc/self/mountinfo ("\040" for a blank).
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size()) {
      int v = (text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0');
      out += static_cast<char>(v);
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<Mount> ReadMounts() {
  std::vector<Mount> mounts;
  std::ifstream in("/proc/self/mountinfo");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string id, parent, dev, root, point, options, field;
    fields >> id >> parent >> dev >> root >> point >> options;
    while (fields >> field && field != "-") {
    }
    Mount m;
    fields >> m.fsType >> m.source;
    m.point = WithTrailingSlash(Unescape(point));
    m.whole = root == "/";
    mounts.push_back(m);
  }
  return mounts;
}

bool IsOpticalMount(const Mount& m) {
  return m.fsType == "iso9660" || m.fsType == "udf" || m.source.rfind("/dev/sr", 0) == 0 ||
         m.source.rfind("/dev/cdrom", 0) == 0;
}

bool IsPseudoFs(const std::string& type) {
  static const char* kPseudo[] = {"proc", "sysfs", "devpts", "cgroup", "cgroup2", "securityfs", "pstore",
                                  "debugfs", "tracefs", "mqueue", "hugetlbfs", "configfs", "fusectl",
                                  "bpf", "autofs", "binfmt_misc", "nsfs", "devtmpfs", "efivarfs", "rpc_pipefs"};
  return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo);
}

}  // namespace

bool IsListedMount(const std::string& point, const std::string& fsType, const std::string& source) {
  const Mount m{point, fsType, source};
  if (IsOpticalMount(m)) return true;
  if (IsPseudoFs(fsType) || fsType == "squashfs") return false;
  // The system's own places; removable media mounted below /run/media stay.
  for (const char* system : {"/proc/", "/sys/", "/dev/", "/run/"})
    if (point.rfind(system, 0) == 0) return point.rfind("/run/media/", 0) == 0;
  return true;
}

namespace {

DriveType TypeOfMount(const Mount& m) {
  if (IsOpticalMount(m)) return DriveType::kCdRom;
  if (m.fsType == "tmpfs" || m.fsType == "ramfs") return DriveType::kRamDisk;
  if (m.fsType == "nfs" || m.fsType == "nfs4" || m.fsType == "cifs" || m.fsType == "smb3" ||
      m.fsType == "sshfs" || m.fsType.rfind("fuse.", 0) == 0)
    return DriveType::kRemote;
  return DriveType::kFixed;
}

// Mount points listed in /etc/fstab for optical drives: the root of such a
// drive is known even while no disc is mounted.
std::vector<std::string> OpticalFstabPoints() {
  std::vector<std::string> points;
  std::ifstream in("/etc/fstab");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string source, point, type;
    if (!(fields >> source >> point >> type) || source.empty() || source[0] == '#') continue;
    Mount m{point, type, source};
    if (IsOpticalMount(m)) points.push_back(WithTrailingSlash(point));
  }
  return points;
}

std::string AbsoluteOf(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) return path;
  return WithTrailingSlash(buf) + path;
}

class PosixDrives : public Drives {
 public:
  std::vector<DriveEntry> List() override {
    std::vector<DriveEntry> out;
    for (const Mount& m : ReadMounts()) {
      if (!IsListedMount(m.point, m.fsType, m.source)) continue;
      if (std::any_of(out.begin(), out.end(), [&](const DriveEntry& e) { return e.root == m.point; })) continue;
      out.push_back({m.point, m.fsType, TypeOfMount(m)});
    }
    for (const std::string& p : OpticalFstabPoints()) {
      if (std::none_of(out.begin(), out.end(), [&](const DriveEntry& e) { return e.root == p; }))
        out.push_back({p, "CD-ROM", DriveType::kCdRom});
    }
    return out;
  }
  DriveEntry Current() override {
    std::string cwd = AbsoluteOf(".");
    std::string root = RootOf(cwd);
    for (const DriveEntry& e : List())
      if (e.root == root) return e;
    return {root, "", DriveType::kFixed};
  }
  std::string RootOf(const std::string& path) override {
    const std::string abs = WithTrailingSlash(AbsoluteOf(path));
    std::string best = "/";
    auto consider = [&](const std::string& point) {
      if (abs.compare(0, point.size(), point) == 0 && point.size() > best.size()) best = point;
    };
    for (const Mount& m : ReadMounts()) consider(m.point);
    for (const std::string& p : OpticalFstabPoints()) consider(p);
    return best;
  }
  DriveType TypeOf(const std::string& path) override {
    std::string root = RootOf(path);
    for (const Mount& m : ReadMounts())
      if (m.point == root) return TypeOfMount(m);
    for (const std::string& p : OpticalFstabPoints())
      if (p == root) return DriveType::kCdRom;
    return DriveType::kUnknown;
  }
  bool IsReady(const std::string& root) override {
    const std::string r = WithTrailingSlash(root);
    for (const Mount& m : ReadMounts())
      if (m.point == r) return true;
    return false;
  }
  // A disc is mounted by its device; desktops mount every disc at a path
  // of its own, named by its label.
  std::string DeviceOf(const std::string& root) override {
    const std::string r = WithTrailingSlash(root);
    for (const Mount& m : ReadMounts())
      if (m.point == r && IsDevicePath(m.source)) return m.source;
    return root;
  }
  // The mount of the whole file system of the device where there is one
  // (a folder of it may be bound elsewhere too), else its first mount (a
  // root that is itself a subvolume).
  std::string MountPointOf(const std::string& device) override {
    if (!IsDevicePath(device)) return device;
    std::string first;
    for (const Mount& m : ReadMounts()) {
      if (m.source != device) continue;
      if (m.whole) return m.point;
      if (first.empty()) first = m.point;
    }
    return first;
  }

 private:
  static bool IsDevicePath(const std::string& source) { return source.rfind("/dev/", 0) == 0; }
};

#endif

}  // namespace

std::unique_ptr<Drives> MakeSystemDrives() {
#ifdef _WIN32
  return std::make_unique<WindowsDrives>();
#else
  return std::make_unique<PosixDrives>();
#endif
}

}  // namespace platform
