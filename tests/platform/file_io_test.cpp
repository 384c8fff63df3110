#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(WriteFileAtomically, ReplacesContentAndKeepsPermissions) {
  TempDir dir;
  const std::string path = dir.File("f.txt");
  WriteBytes(path, "old content that is longer");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, std::string("new\0bytes", 9)));
  EXPECT_EQ(ReadBytes(path), std::string("new\0bytes", 9));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, FailsInAMissingFolder) {
  TempDir dir;
  EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/f.txt"), "x"));
}

TEST(ReadWholeFile, ReadsBytesOrNothing) {
  TempDir dir;
  WriteBytes(dir.File("f"), std::string("\xff\0\r\n", 4));
  EXPECT_EQ(ReadWholeFile(dir.File("f")), std::string("\xff\0\r\n", 4));
  EXPECT_EQ(ReadWholeFile(dir.File("missing")), std::nullopt);
  EXPECT_TRUE(FileExists(dir.File("f")));
  EXPECT_FALSE(FileExists(dir.File("missing")));
}

}  // namespace
}  // namespace tesmora::platform
