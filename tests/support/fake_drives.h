#pragma once
// Drives for tests: roots are folders of the test's own, each with a type and
// a ready flag the test changes to take a disc out or put one in.
#include <map>
#include <string>

#include "platform/drives.h"

namespace dorvax::testing {

class FakeDrives : public platform::Drives {
 public:
  // Declares a drive; `root` should end with a separator.
  void AddDrive(const std::string& root, platform::DriveType type, bool ready = true);
  void SetReady(const std::string& root, bool ready);
  // A disc of `device` mounted at a root of its own, as desktops mount every
  // disc by its label: the root becomes a ready CD-ROM drive, and the
  // device's previous root, if any, is no drive any more (its folder is one
  // of the drive beneath). An empty root only takes the disc out.
  void MountDisc(const std::string& device, const std::string& root);

  std::vector<platform::DriveEntry> List() override;
  platform::DriveEntry Current() override;
  std::string RootOf(const std::string& path) override;
  platform::DriveType TypeOf(const std::string& path) override;
  bool IsReady(const std::string& root) override;
  std::string DeviceOf(const std::string& root) override;
  std::string MountPointOf(const std::string& device) override;

 private:
  struct Drive {
    platform::DriveType type;
    bool ready;
  };
  std::map<std::string, Drive> drives_;
  std::map<std::string, std::string> mountedAt_;  // device -> root, empty without a disc
};

}  // namespace dorvax::testing
