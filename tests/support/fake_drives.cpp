#include "support/fake_drives.h"

#include "platform/native_path.h"

namespace dorvax::testing {

void FakeDrives::AddDrive(const std::string& root, platform::DriveType type, bool ready) {
  drives_[root] = {type, ready};
}

void FakeDrives::SetReady(const std::string& root, bool ready) { drives_[root].ready = ready; }

void FakeDrives::MountDisc(const std::string& device, const std::string& root) {
  auto before = mountedAt_.find(device);
  if (before != mountedAt_.end() && !before->second.empty()) drives_.erase(before->second);
  mountedAt_[device] = root;
  if (!root.empty()) drives_[root] = {platform::DriveType::kCdRom, true};
}

std::string FakeDrives::DeviceOf(const std::string& root) {
  for (const auto& [device, at] : mountedAt_)
    if (at == root) return device;
  return root;
}

std::string FakeDrives::MountPointOf(const std::string& device) {
  auto it = mountedAt_.find(device);
  return it == mountedAt_.end() ? device : it->second;
}

std::vector<platform::DriveEntry> FakeDrives::List() {
  std::vector<platform::DriveEntry> out;
  for (const auto& [root, d] : drives_) out.push_back({root, "", d.type});
  return out;
}

platform::DriveEntry FakeDrives::Current() {
  if (drives_.empty()) return {platform::Sep(), "", platform::DriveType::kFixed};
  return {drives_.begin()->first, "", drives_.begin()->second.type};
}

std::string FakeDrives::RootOf(const std::string& path) {
  std::string best = platform::Sep();
  for (const auto& [root, d] : drives_)
    if (path.compare(0, root.size(), root) == 0 && root.size() > best.size()) best = root;
  return best;
}

platform::DriveType FakeDrives::TypeOf(const std::string& path) {
  auto it = drives_.find(RootOf(path));
  return it == drives_.end() ? platform::DriveType::kFixed : it->second.type;
}

bool FakeDrives::IsReady(const std::string& root) {
  auto it = drives_.find(root);
  return it == drives_.end() || it->second.ready;
}

}  // namespace dorvax::testing
