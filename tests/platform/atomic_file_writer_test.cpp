#include "platform/atomic_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

// A name at the system's limit leaves no room for anything added to it: the
// temporary name must be made shorter, not longer.
TEST(AtomicFileWriter, NamesUpToTheSystemsLimitAreWritten) {
  TempDir dir;
  for (const std::size_t length : {std::size_t{235}, std::size_t{250}, std::size_t{255}}) {
    const std::string path = dir.File(std::string(length - 4, 'n') + ".312");
    WriteBytes(path, "older");
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(path)) << length;
    ASSERT_TRUE(writer.Write("whole"));
    ASSERT_TRUE(writer.Commit()) << length;
    EXPECT_EQ(ReadBytes(path), "whole");
    EXPECT_EQ(EntriesIn(dir.path()), 1);
    std::filesystem::remove(path);
  }
}

// Cut at the limit, never inside a character: a folder on a system that
// checks its names' encoding would refuse half a letter.
TEST(TemporaryName, StaysWithinTheLimitAndCutsBetweenCharacters) {
  struct Case {
    std::string name;
    std::size_t limit;
    std::string expected;
  };
  const std::string e = "\xc3\xa9";  // one letter, two bytes
  const Case cases[] = {
      {"03151234.312", 255, "03151234.312.tmp7"},
      {std::string(250, 'a'), 255, std::string(250, 'a') + ".tmp7"},
      {std::string(251, 'a'), 255, std::string(250, 'a') + ".tmp7"},
      {std::string(249, 'a') + e + "b", 255, std::string(249, 'a') + ".tmp7"},
      {std::string(248, 'a') + e + "b", 255, std::string(248, 'a') + e + ".tmp7"},
      {"name", 3, ".tmp7"},
  };
  for (const Case& c : cases) {
    const std::string temporary = TemporaryName(c.name, "7", c.limit);
    EXPECT_EQ(temporary, c.expected) << c.name.size();
    EXPECT_LE(temporary.size(), std::max<std::size_t>(c.limit, 5));
  }
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
