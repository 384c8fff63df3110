#include "platform/file_io.h"

#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(WriteWholeFile, ReplacesContentAndKeepsPermissions) {
  TempDir dir;
  const std::string path = dir.File("f.txt");
  WriteBytes(path, "old content that is longer");
  ::chmod(path.c_str(), 0640);
  ASSERT_EQ(WriteWholeFile(LocalFileSystem(), path, std::string("new\0bytes", 9),
                           OverwritePolicy::Always, Durability::Precious),
            FsStatus::Ok);
  EXPECT_EQ(ReadBytes(path), std::string("new\0bytes", 9));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteWholeFile, FailsInAMissingFolder) {
  TempDir dir;
  EXPECT_NE(WriteWholeFile(LocalFileSystem(), dir.File("no/such/f.txt"), "x",
                           OverwritePolicy::Always, Durability::Precious),
            FsStatus::Ok);
}

TEST(ReadWholeFile, ReadsBytesOrNothing) {
  TempDir dir;
  WriteBytes(dir.File("f"), std::string("\xff\0\r\n", 4));
  EXPECT_EQ(ReadWholeFile(dir.File("f")), std::string("\xff\0\r\n", 4));
  EXPECT_EQ(ReadWholeFile(dir.File("missing")), std::nullopt);
  EXPECT_TRUE(FileExists(dir.File("f")));
  EXPECT_FALSE(FileExists(dir.File("missing")));
}

// A named pipe would hold the open until some program wrote into it, and a
// device may never end: only regular files are read.
TEST(ReadWholeFile, NothingButARegularFileIsOpened) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  WriteBytes(dir.File("file"), "bytes");
  std::filesystem::create_symlink(dir.File("pipe"), dir.File("to pipe"));
  std::filesystem::create_symlink(dir.File("file"), dir.File("to file"));
  std::filesystem::create_symlink("/dev/null", dir.File("to device"));
  EXPECT_EQ(ReadWholeFile(dir.File("pipe")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir.File("to pipe")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir.File("to device")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir.path()), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir.File("to file")), "bytes");
}

}  // namespace
}  // namespace tesmora::platform
