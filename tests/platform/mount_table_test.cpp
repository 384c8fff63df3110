#include "platform/mount_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;

class MountTable : public ::testing::Test {
 protected:
  MountTable() {
    std::filesystem::create_directories(temp.File("sys/block/sda"));
    std::filesystem::create_directories(temp.File("sys/block/sdc"));
    std::filesystem::create_directories(temp.File("sys/block/mmcblk0"));
    WriteBytes(temp.File("sys/block/sda/removable"), "0\n");
    WriteBytes(temp.File("sys/block/sdc/removable"), "1\n");
    WriteBytes(temp.File("sys/block/mmcblk0/removable"), "1\n");
    sources.sysRoot = temp.File("sys");
    sources.byLabelFolder = temp.File("by-label");
    sources.mountTable = temp.File("mounts");
  }
  TempDir temp;
  DriveSources sources;
};

TEST_F(MountTable, EachMountIsShownAsWhatItHolds) {
  struct Case {
    MountEntry entry;
    std::optional<DriveKind> kind;
  };
  const Case cases[] = {
      {{"/dev/sda1", "/", "ext4"}, DriveKind::Fixed},
      {{"/dev/sda3", "/home", "ext4"}, DriveKind::Fixed},
      {{"/dev/sda4", "/media/usb", "vfat"}, DriveKind::Removable},  // by place
      {{"/dev/sda5", "/run/media/ann/KEY", "exfat"}, DriveKind::Removable},
      {{"/dev/sdc1", "/mnt/stick", "vfat"}, DriveKind::Removable},  // by its disk
      {{"/dev/mmcblk0p1", "/mnt/card", "vfat"}, DriveKind::Removable},
      {{"/dev/sr0", "/mnt/cd", "iso9660"}, DriveKind::CdRom},
      {{"/dev/sr1", "/mnt/dvd", "udf"}, DriveKind::CdRom},
      {{"nas:/export", "/mnt/nas", "nfs"}, DriveKind::Network},
      {{"nas:/export", "/mnt/nas4", "nfs4"}, DriveKind::Network},
      {{"//srv/data", "/mnt/srv", "cifs"}, DriveKind::Network},
      {{"//srv/data", "/mnt/srv3", "smb3"}, DriveKind::Network},
      {{"ann@host:/home/ann", "/mnt/ssh", "fuse.sshfs"}, DriveKind::Network},
      {{"proc", "/proc", "proc"}, std::nullopt},
      {{"sysfs", "/sys", "sysfs"}, std::nullopt},
      {{"tmpfs", "/run", "tmpfs"}, std::nullopt},
      {{"overlay", "/var/lib/docker/x", "overlay"}, std::nullopt},
      {{"/dev/loop1", "/snap/core/17", "squashfs"}, std::nullopt},
      {{"/dev/loop2", "/opt/app", "squashfs"}, std::nullopt},
      {{"cgroup2", "/sys/fs/cgroup", "cgroup2"}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyMount(c.entry, sources), c.kind) << c.entry.mountPoint;
  }
}

TEST(NetworkSource, ServerAndShareOfEachKindOfSource) {
  struct Case {
    std::string_view device;
    std::string host, share;
  };
  const Case cases[] = {
      {"//SRV/DATA", "SRV", "DATA"},
      {"//srv/data/tests/", "srv", "data/tests"},
      {"nas:/export/backup", "nas", "export/backup"},
      {"ann@lab-pc:/home/ann", "lab-pc", "home/ann"},
      {"[fd00::1]:/srv", "fd00::1", "srv"},
  };
  for (const Case& c : cases) {
    const std::optional<NetworkSource> source = SplitNetworkSource(c.device);
    ASSERT_TRUE(source) << c.device;
    EXPECT_EQ(source->host, c.host) << c.device;
    EXPECT_EQ(source->share, c.share) << c.device;
  }
  EXPECT_FALSE(SplitNetworkSource("nohost"));
  EXPECT_FALSE(SplitNetworkSource("//"));
  EXPECT_FALSE(SplitNetworkSource("[fd00::1"));
}

TEST_F(MountTable, DrivesComeFromTheTableWithTheHomeFolderFirst) {
  std::filesystem::create_directories(temp.File("ann"));
  std::filesystem::create_directories(temp.File("by-label"));
  std::filesystem::create_symlink("../../sdc1", temp.File("by-label/LAB\\x20STICK"));
  sources.homeFolder = temp.File("ann");
  WriteBytes(sources.mountTable,
             "/dev/sda1 / ext4 rw 0 0\n"
             "proc /proc proc rw 0 0\n"
             "/dev/sdc1 /mnt/stick vfat rw 0 0\n"
             "/dev/sda5 /media/Old\\040Disk ext4 rw 0 0\n"
             "//srv/DATA /mnt/srv cifs rw 0 0\n"
             "/dev/sda6 /mnt/covered ext4 rw 0 0\n"
             "tmpfs /mnt/covered tmpfs rw 0 0\n");
  const std::vector<Drive> drives = ListDrives(sources);
  ASSERT_EQ(drives.size(), 5u);
  EXPECT_EQ(drives[0].mountPoint, sources.homeFolder);
  EXPECT_EQ(drives[0].label, "ann");
  EXPECT_TRUE(drives[0].selectedAtStart);
  EXPECT_EQ(drives[1].label, "/");
  EXPECT_EQ(drives[1].kind, DriveKind::Fixed);
  EXPECT_FALSE(drives[1].selectedAtStart);
  // The volume label, decoded; else the mount point's name, blanks decoded.
  EXPECT_EQ(drives[2].label, "LAB STICK");
  EXPECT_EQ(drives[2].kind, DriveKind::Removable);
  EXPECT_EQ(drives[3].label, "Old Disk");
  EXPECT_EQ(drives[3].mountPoint, "/media/Old Disk");
  EXPECT_EQ(drives[4].kind, DriveKind::Network);
  EXPECT_EQ(drives[4].host, "srv");
  EXPECT_EQ(drives[4].share, "DATA");
  // The tmpfs over /mnt/covered hides the disk mounted there before.
}

TEST(SystemDrives, TheHomeFolderComesFromTheEnvironment) {
  const char* home = std::getenv("HOME");
  const DriveSources sources = SystemDriveSources();
  if (home != nullptr && *home != '\0') {
    EXPECT_EQ(sources.homeFolder, home);
  }
  EXPECT_EQ(sources.mountTable, "/proc/self/mounts");
  // This machine's own table: the root file system is always there.
  const std::vector<Drive> drives = ListDrives(sources);
  EXPECT_TRUE(std::any_of(drives.begin(), drives.end(),
                          [](const Drive& d) { return d.mountPoint == "/" || d.selectedAtStart; }));
}

TEST_F(MountTable, NoTableNoDrivesButTheHome) {
  EXPECT_FALSE(ReadMountTable(temp.File("missing")));
  sources.mountTable = temp.File("missing");
  sources.homeFolder = temp.path();
  const std::vector<Drive> drives = ListDrives(sources);
  ASSERT_EQ(drives.size(), 1u);
  EXPECT_TRUE(drives[0].selectedAtStart);
}

}  // namespace
}  // namespace tesmora::platform
