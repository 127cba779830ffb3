// The machine's drives as the mount table gives them, where every drive is
// a mount point and a disc is found through its device.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/drives.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
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

// The drive list shows the places a user's data can be on, as drive
// letters would, not every mount of the system.
TEST(PosixDrives, TheDriveListLeavesOutTheSystemsOwnMounts) {
  EXPECT_TRUE(IsListedMount("/", "ext4", "/dev/sda2"));
  EXPECT_TRUE(IsListedMount("/home/", "btrfs", "/dev/sda3"));
  EXPECT_TRUE(IsListedMount("/media/user/DORVAX1999_1/", "iso9660", "/dev/sr0"));
  EXPECT_TRUE(IsListedMount("/run/media/user/DORVAX1999_1/", "udf", "/dev/sr0"));
  EXPECT_TRUE(IsListedMount("/run/cdrom/", "iso9660", "/dev/sr0"));  // optical, wherever it is
  EXPECT_TRUE(IsListedMount("/mnt/share/", "nfs4", "server:/export"));
  EXPECT_TRUE(IsListedMount("/tmp/", "tmpfs", "tmpfs"));
  EXPECT_FALSE(IsListedMount("/proc/", "proc", "proc"));
  EXPECT_FALSE(IsListedMount("/snap/core22/1380/", "squashfs", "/dev/loop3"));
  EXPECT_FALSE(IsListedMount("/run/user/1000/", "tmpfs", "tmpfs"));
  EXPECT_FALSE(IsListedMount("/run/lock/", "tmpfs", "tmpfs"));
  EXPECT_FALSE(IsListedMount("/dev/shm/", "tmpfs", "tmpfs"));
  EXPECT_FALSE(IsListedMount("/sys/fs/cgroup/", "cgroup2", "cgroup2"));
}

}  // namespace
}  // namespace dorvax::platform
#endif
