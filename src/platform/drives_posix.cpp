// The machine's drives on POSIX systems: the mounts of the places a user's
// data can be on, optical drives as CD-ROM drives.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/native_path.h"

namespace dorvax::platform {

namespace {

// A folder path as mount points are compared: with a trailing "/".
std::string WithTrailingSlash(std::string path) {
  if (!EndsWithSeparator(path)) path += '/';
  return path;
}

struct Mount {
  std::string point;  // with a trailing "/"
  std::string fsType;
  std::string source;
  bool whole = true;  // the whole file system, not a folder of it bound elsewhere
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
  static const char* kPseudo[] = {"proc",    "sysfs",       "devpts", "cgroup",    "cgroup2",  "securityfs", "pstore",
                                  "debugfs", "tracefs",     "mqueue", "hugetlbfs", "configfs", "fusectl",    "bpf",
                                  "autofs",  "binfmt_misc", "nsfs",   "devtmpfs",  "efivarfs", "rpc_pipefs"};
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
  if (m.fsType == "nfs" || m.fsType == "nfs4" || m.fsType == "cifs" || m.fsType == "smb3" || m.fsType == "sshfs" ||
      m.fsType.rfind("fuse.", 0) == 0)
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

}  // namespace

std::unique_ptr<Drives> MakeSystemDrives() { return std::make_unique<PosixDrives>(); }

}  // namespace dorvax::platform
