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
  ASSERT_EQ(writer.Commit(OverwritePolicy::Always, Durability::Precious), FsStatus::Ok);
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
    EXPECT_EQ(writer.Commit(OverwritePolicy::Always, Durability::Precious), FsStatus::Failed);
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
    ASSERT_EQ(writer.Commit(OverwritePolicy::Always, Durability::Precious), FsStatus::Ok) << length;
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
  EXPECT_EQ(writer.Commit(OverwritePolicy::Always, Durability::Precious), FsStatus::Failed);
}

// What the commit does to a file under the name, by policy. Ask is the
// caller's to ask about: the writer keeps the file, as Never does.
TEST(AtomicFileWriter, TheCommitReplacesOrKeepsAnExistingFileByPolicy) {
  struct Case {
    OverwritePolicy policy;
    FsStatus status;
    std::string kept;
  };
  const Case cases[] = {
      {OverwritePolicy::Always, FsStatus::Ok, "newer"},
      {OverwritePolicy::Never, FsStatus::Exists, "older"},
      {OverwritePolicy::Ask, FsStatus::Exists, "older"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.File("03151234.312");
    WriteBytes(path, "older");
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_TRUE(writer.Write("newer"));
    EXPECT_EQ(writer.Commit(c.policy, Durability::Replaceable), c.status);
    EXPECT_EQ(ReadBytes(path), c.kept);
    writer.Discard();
    EXPECT_EQ(EntriesIn(dir.path()), 1);
    EXPECT_EQ(ReadBytes(path), c.kept);
  }
}

// A file that takes the name while the new one is written (another program,
// a second copy of the same file) is never replaced by a commit that was
// not told to: the written file waits, whole, until the caller has asked.
TEST(AtomicFileWriter, AFileThatAppearsBeforeTheCommitIsKeptUntilTheCallerDecides) {
  TempDir dir;
  const std::string path = dir.File("03151234.312");
  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Open(path));
  ASSERT_TRUE(writer.Write("received"));
  WriteBytes(path, "appeared meanwhile");
  EXPECT_EQ(writer.Commit(OverwritePolicy::Never, Durability::Precious), FsStatus::Exists);
  EXPECT_EQ(ReadBytes(path), "appeared meanwhile");
  EXPECT_EQ(EntriesIn(dir.path()), 2);  // the waiting file
  // The user said Yes: the same file now takes the name.
  EXPECT_EQ(writer.Commit(OverwritePolicy::Always, Durability::Precious), FsStatus::Ok);
  EXPECT_EQ(ReadBytes(path), "received");
  EXPECT_EQ(EntriesIn(dir.path()), 1);

  // Without a file under the name, a keeping commit simply gives it.
  std::filesystem::remove(path);
  ASSERT_TRUE(writer.Open(path));
  ASSERT_TRUE(writer.Write("fresh"));
  EXPECT_EQ(writer.Commit(OverwritePolicy::Never, Durability::Precious), FsStatus::Ok);
  EXPECT_EQ(ReadBytes(path), "fresh");
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

}  // namespace
}  // namespace tesmora::platform
