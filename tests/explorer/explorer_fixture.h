#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "explorer/operation_context.h"
#include "platform/posix_file_system.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "support/user_locale.h"

namespace tesmora::explorer::testing {

// The real file system with failures on demand: a move across file systems,
// a copy or a delete refused, a disk that fills up during a copy.
class ScriptedFileSystem : public platform::PosixFileSystem {
 public:
  using PosixFileSystem::PosixFileSystem;

  bool renamesCrossDevice = false;
  std::set<std::string> refuseCopyTo;
  std::set<std::string> refuseRemove;
  // Folders that are the mount points of another file system.
  std::set<std::string> mountPoints;
  // A copy's bytes after this many fill the disk.
  std::size_t diskFullAfter = std::string::npos;
  // Folders whose listing fails (or did not answer in time).
  std::set<std::string> unlistable;
  // Files that appear under a target's name, with these bytes, while a copy
  // or a move to it is under way.
  std::map<std::string, std::string> appearing;

  std::optional<std::vector<platform::DirectoryEntry>> List(const std::string& folder) override {
    if (unlistable.count(folder) != 0) return std::nullopt;
    return PosixFileSystem::List(folder);
  }

  platform::FsStatus Rename(const std::string& from, const std::string& to, bool replace) override {
    Appear(to);
    if (renamesCrossDevice) return platform::FsStatus::CrossDevice;
    return PosixFileSystem::Rename(from, to, replace);
  }
  std::optional<platform::FileFacts> Facts(const std::string& path) override {
    auto facts = PosixFileSystem::Facts(path);
    if (facts && mountPoints.count(path) != 0) ++facts->device;
    return facts;
  }
  platform::FsStatus CopyFile(const std::string& from, const std::string& to,
                              platform::OverwritePolicy policy) override {
    if (refuseCopyTo.count(to) != 0) return platform::FsStatus::Failed;
    Appear(to);
    written_ = 0;
    return PosixFileSystem::CopyFile(from, to, policy);
  }
  platform::FsStatus RemoveFile(const std::string& path) override {
    if (refuseRemove.count(path) != 0) return platform::FsStatus::Denied;
    return PosixFileSystem::RemoveFile(path);
  }

 protected:
  platform::FsStatus WriteChunk(platform::AtomicFileWriter& writer,
                                std::string_view bytes) override {
    if (diskFullAfter != std::string::npos && written_ + bytes.size() > diskFullAfter) {
      // What fits goes to the temporary file before the disk is full.
      writer.Write(bytes.substr(0, diskFullAfter - written_));
      return platform::FsStatus::DiskFull;
    }
    written_ += bytes.size();
    return PosixFileSystem::WriteChunk(writer, bytes);
  }

 private:
  // Once only: a second try finds the file already there.
  void Appear(const std::string& path) {
    const auto found = appearing.find(path);
    if (found == appearing.end()) return;
    tesmora::testing::WriteBytes(path, found->second);
    appearing.erase(found);
  }

  std::size_t written_ = 0;
};

// A machine in a temporary folder: a home folder, a sample mount table with
// a data disk, a USB stick, a CD-ROM, two network shares and pseudo file
// systems, and the /sys and /dev/disk/by-label of it.
class ExplorerFixture : public ::testing::Test {
 protected:
  ExplorerFixture()
      : home(temp.File("home")),
        data(temp.File("data")),
        usb(temp.File("usb")),
        cdrom(temp.File("cdrom")),
        share(temp.File("net-data")),
        backup(temp.File("net-backup")),
        fs(Sources()) {
    for (const std::string& folder : {home, data, usb, cdrom, share, backup}) MakeFolder(folder);
    MakeFolder(temp.File("sys/block/sda"));
    MakeFolder(temp.File("sys/block/sdb"));
    tesmora::testing::WriteBytes(temp.File("sys/block/sda/removable"), "0\n");
    tesmora::testing::WriteBytes(temp.File("sys/block/sdb/removable"), "1\n");
    MakeFolder(temp.File("by-label"));
    std::filesystem::create_symlink("../../sdb1", temp.File("by-label/LAB\\x20STICK"));
    tesmora::testing::WriteBytes(temp.File("mounts"),
                                 "proc /proc proc rw 0 0\n"
                                 "tmpfs /run tmpfs rw 0 0\n"
                                 "/dev/sda2 " +
                                     data +
                                     " ext4 rw 0 0\n"
                                     "/dev/sdb1 " +
                                     usb +
                                     " vfat rw 0 0\n"
                                     "/dev/sr0 " +
                                     cdrom +
                                     " iso9660 ro 0 0\n"
                                     "//srv/DATA " +
                                     share +
                                     " cifs rw 0 0\n"
                                     "nas:/export/backup " +
                                     backup +
                                     " nfs4 rw 0 0\n"
                                     "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
                                     "/dev/loop3 /snap/core/1 squashfs ro 0 0\n");
  }

  platform::DriveSources Sources() const {
    return {temp.File("mounts"), temp.File("sys"), temp.File("by-label"), temp.File("home")};
  }
  OperationContext Context() { return {fs, prompter, english}; }

  static void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }
  static void MakeFile(const std::string& path, std::string_view bytes = "bytes") {
    tesmora::testing::WriteBytes(path, bytes);
  }
  static void MakeReadOnly(const std::string& path) { ::chmod(path.c_str(), 0444); }
  static bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
  }

  // Names sort by their bytes, whatever the machine's locale.
  tesmora::testing::UserLocale locale{"C"};
  tesmora::testing::TempDir temp;
  std::string home, data, usb, cdrom, share, backup;
  ScriptedFileSystem fs;
  tesmora::testing::FakePrompter prompter;
  LanguageState english;
};

}  // namespace tesmora::explorer::testing
