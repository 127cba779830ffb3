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

  std::vector<platform::DriveEntry> List() override;
  platform::DriveEntry Current() override;
  std::string RootOf(const std::string& path) override;
  platform::DriveType TypeOf(const std::string& path) override;
  bool IsReady(const std::string& root) override;

 private:
  struct Drive {
    platform::DriveType type;
    bool ready;
  };
  std::map<std::string, Drive> drives_;
};

}  // namespace dorvax::testing
