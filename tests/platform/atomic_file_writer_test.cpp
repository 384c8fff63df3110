#include "platform/atomic_file_writer.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using tesmora::testing::EntriesIn;
using tesmora::testing::ReadBytes;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;

TEST(AtomicFileWriter, TheNameAppearsOnlyAtCommitWithTheWholeContent) {
  TempDir dir;
  const std::string path = dir.File("03151234.312");
  WriteBytes(path, "older");
  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Open(path));
  const std::string big(100 * 1024, 'x');  // past the writer's own buffer
  ASSERT_TRUE(writer.Write(big));
  ASSERT_TRUE(writer.Write("end"));
  EXPECT_EQ(ReadBytes(path), "older");
  ASSERT_TRUE(writer.Commit());
  EXPECT_EQ(ReadBytes(path), big + "end");
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(AtomicFileWriter, DiscardAndDestructionLeaveTheOlderFileAlone) {
  TempDir dir;
  const std::string path = dir.File("a.bin");
  WriteBytes(path, "older");
  {
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_TRUE(writer.Write(std::string(70 * 1024, 'y')));
    writer.Discard();
    EXPECT_FALSE(writer.Commit());
    ASSERT_TRUE(writer.Open(path));
    ASSERT_TRUE(writer.Write("partial"));
  }
  EXPECT_EQ(ReadBytes(path), "older");
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(AtomicFileWriter, FolderThatDoesNotExistIsRefused) {
  TempDir dir;
  AtomicFileWriter writer;
  EXPECT_FALSE(writer.Open(dir.File("missing/a.bin")));
  EXPECT_FALSE(writer.Write("x"));
  EXPECT_FALSE(writer.Commit());
}

}  // namespace
}  // namespace tesmora::platform
