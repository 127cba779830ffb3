// The machine's drives as the mount table gives them, where every drive is
// a mount point and a disc is found through its device.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/drives.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

// Whatever mounts the file system of a folder (a device, or a file system
// without one), its device leads back to the same mount point; a device
// without a disc has none.
TEST(PosixDrives, TheDeviceOfAMountLeadsBackToItsMountPoint) {
  dorvax::testing::TempDir dir;
  std::unique_ptr<Drives> drives = MakeSystemDrives();
  for (const std::string& path : {std::string("/"), dir.path()}) {
    const std::string root = drives->RootOf(path);
    ASSERT_FALSE(root.empty());
    EXPECT_TRUE(drives->IsReady(root)) << root;
    EXPECT_EQ(drives->MountPointOf(drives->DeviceOf(root)), root) << path;
  }
  EXPECT_EQ(drives->MountPointOf("/dev/no-such-device"), "");
}

}  // namespace
}  // namespace platform
#endif
