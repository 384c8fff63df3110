#include "platform/posix_file_system.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/file_times.h"
#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using tesmora::testing::EntriesIn;
using tesmora::testing::ReadBytes;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;

// A disk that fills up after the first piece of a copy.
class FullDisk : public PosixFileSystem {
 protected:
  FsStatus WriteChunk(AtomicFileWriter& writer, std::string_view bytes) override {
    if (pieces_++ == 0) return PosixFileSystem::WriteChunk(writer, bytes);
    return FsStatus::DiskFull;
  }

 private:
  int pieces_ = 0;
};

TEST(PosixFileSystem, CopyReplacesTheTargetWholeWithTheSourceDate) {
  TempDir temp;
  WriteBytes(temp.File("a.312"), "new test");
  ASSERT_TRUE(SetFileCreationDate(temp.File("a.312"), {1998, 12, 31}));
  std::filesystem::create_directory(temp.File("to"));
  WriteBytes(temp.File("to/a.312"), "older test, longer");
  PosixFileSystem fs;
  EXPECT_EQ(fs.CopyFile(temp.File("a.312"), temp.File("to/a.312"), OverwritePolicy::Always),
            FsStatus::Ok);
  EXPECT_EQ(ReadBytes(temp.File("to/a.312")), "new test");
  EXPECT_EQ(ReadFileDate(temp.File("to/a.312"), FileTimeKind::Creation),
            (CalendarDate{1998, 12, 31}));
  EXPECT_EQ(EntriesIn(temp.File("to")), 1);
}

// A copy that may not replace leaves the file it finds as it was, date and
// all, and leaves nothing of its own behind.
TEST(PosixFileSystem, ACopyThatMayNotReplaceKeepsTheFileItFinds) {
  TempDir temp;
  WriteBytes(temp.File("a.312"), "new test");
  std::filesystem::create_directory(temp.File("to"));
  WriteBytes(temp.File("to/a.312"), "older test");
  ASSERT_TRUE(SetFileCreationDate(temp.File("to/a.312"), {1998, 12, 31}));
  PosixFileSystem fs;
  for (const OverwritePolicy policy : {OverwritePolicy::Never, OverwritePolicy::Ask}) {
    EXPECT_EQ(fs.CopyFile(temp.File("a.312"), temp.File("to/a.312"), policy), FsStatus::Exists);
    EXPECT_EQ(ReadBytes(temp.File("to/a.312")), "older test");
    EXPECT_EQ(ReadFileDate(temp.File("to/a.312"), FileTimeKind::Creation),
              (CalendarDate{1998, 12, 31}));
    EXPECT_EQ(EntriesIn(temp.File("to")), 1);
  }
  EXPECT_EQ(fs.CopyFile(temp.File("a.312"), temp.File("to/b.312"), OverwritePolicy::Never),
            FsStatus::Ok);
  EXPECT_EQ(ReadBytes(temp.File("to/b.312")), "new test");
}

TEST(PosixFileSystem, ACopyOfANameOf250BytesIsWritten) {
  TempDir temp;
  const std::string name = std::string(246, 'n') + ".312";
  WriteBytes(temp.File(name), "test");
  std::filesystem::create_directory(temp.File("to"));
  PosixFileSystem fs;
  EXPECT_EQ(fs.CopyFile(temp.File(name), temp.File("to/" + name), OverwritePolicy::Always),
            FsStatus::Ok);
  EXPECT_EQ(ReadBytes(temp.File("to/" + name)), "test");
  EXPECT_EQ(EntriesIn(temp.File("to")), 1);
}

// A file bigger than one piece of a copy, so that a copy can fail halfway,
// and an older file of its name in "to".
class CopyHalfway : public ::testing::Test {
 protected:
  CopyHalfway() {
    WriteBytes(temp.File("big.txt"), big);
    std::filesystem::create_directory(temp.File("to"));
    WriteBytes(temp.File("to/big.txt"), "older");
  }
  FsStatus Copy(FileSystem& fs) {
    return fs.CopyFile(temp.File("big.txt"), temp.File("to/big.txt"), OverwritePolicy::Always);
  }
  void ExpectOlderTargetWhole() {
    EXPECT_EQ(ReadBytes(temp.File("to/big.txt")), "older");
    EXPECT_EQ(EntriesIn(temp.File("to")), 1);  // no temporary file left
    EXPECT_EQ(ReadBytes(temp.File("big.txt")), big);
  }
  TempDir temp;
  const std::string big = std::string(600 * 1024, 'x');
};

TEST_F(CopyHalfway, AFullDiskKeepsTheOlderTargetWhole) {
  FullDisk fs;
  EXPECT_EQ(Copy(fs), FsStatus::DiskFull);
  ExpectOlderTargetWhole();
}

// Files may not grow past a size for the lifetime of the object, so that a
// write fails in the kernel as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t oldHandler_;
};

TEST_F(CopyHalfway, AWriteRefusedByTheSystemKeepsTheOlderTargetWhole) {
  PosixFileSystem fs;
  {
    const FileSizeLimit limit(64 * 1024);
    EXPECT_NE(Copy(fs), FsStatus::Ok);
  }
  ExpectOlderTargetWhole();
}

TEST(PosixFileSystem, CopyOfWhatIsNotThereOrNotAFileFails) {
  TempDir temp;
  PosixFileSystem fs;
  EXPECT_EQ(fs.CopyFile(temp.File("none"), temp.File("copy"), OverwritePolicy::Always),
            FsStatus::NotFound);
  EXPECT_NE(fs.CopyFile(temp.path(), temp.File("copy"), OverwritePolicy::Always), FsStatus::Ok);
  EXPECT_EQ(EntriesIn(temp.path()), 0);
}

// Pipes, sockets and devices are listed but never opened: a pipe without a
// writer would hold the copy for ever, a device might never end.
TEST(PosixFileSystem, PipesAndDevicesAreToldApartAndNeverCopied) {
  TempDir temp;
  PosixFileSystem fs;
  ASSERT_EQ(::mkfifo(temp.File("pipe").c_str(), 0600), 0);
  WriteBytes(temp.File("file"), "1");
  std::filesystem::create_directory(temp.File("to"));
  std::filesystem::create_symlink(temp.File("pipe"), temp.File("to pipe"));
  std::filesystem::create_symlink(temp.File("file"), temp.File("to file"));
  std::filesystem::create_symlink("/dev/null", temp.File("to device"));
  for (const char* special : {"pipe", "to pipe", "to device"}) {
    ASSERT_TRUE(fs.Facts(temp.File(special))) << special;
    EXPECT_TRUE(fs.Facts(temp.File(special))->special) << special;
    EXPECT_EQ(fs.CopyFile(temp.File(special), temp.File("to/copy"), OverwritePolicy::Always),
              FsStatus::NotAFile)
        << special;
  }
  for (const char* plain : {"file", "to file", "to"}) {
    EXPECT_FALSE(fs.Facts(temp.File(plain))->special) << plain;
  }
  EXPECT_EQ(EntriesIn(temp.File("to")), 0);
  EXPECT_EQ(fs.CopyFile(temp.File("to file"), temp.File("to/copy"), OverwritePolicy::Always),
            FsStatus::Ok);
}

TEST(PosixFileSystem, RenameWithoutReplaceLeavesAnExistingTargetAlone) {
  TempDir temp;
  PosixFileSystem fs;
  std::filesystem::create_directory(temp.File("old"));
  WriteBytes(temp.File("old/inside"), "1");
  std::filesystem::create_directory(temp.File("empty"));
  WriteBytes(temp.File("file"), "2");
  // A plain rename would put "old" in place of the empty folder.
  EXPECT_EQ(fs.Rename(temp.File("old"), temp.File("empty"), false), FsStatus::Exists);
  EXPECT_EQ(fs.Rename(temp.File("old"), temp.File("file"), false), FsStatus::Exists);
  EXPECT_TRUE(std::filesystem::exists(temp.File("old/inside")));
  EXPECT_EQ(fs.Rename(temp.File("old"), temp.File("new"), false), FsStatus::Ok);
  EXPECT_TRUE(std::filesystem::exists(temp.File("new/inside")));
  WriteBytes(temp.File("other"), "3");
  EXPECT_EQ(fs.Rename(temp.File("other"), temp.File("file"), true), FsStatus::Ok);
  EXPECT_EQ(ReadBytes(temp.File("file")), "3");
}

TEST(PosixFileSystem, ListingTellsFoldersFilesAndLinks) {
  TempDir temp;
  PosixFileSystem fs;
  std::filesystem::create_directory(temp.File("folder"));
  WriteBytes(temp.File("file"), "1");
  std::filesystem::create_directory_symlink(temp.File("folder"), temp.File("link"));
  ::mkfifo(temp.File("pipe").c_str(), 0600);
  auto entries = fs.List(temp.path());
  ASSERT_TRUE(entries);
  std::sort(entries->begin(), entries->end(),
            [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
  ASSERT_EQ(entries->size(), 4u);
  EXPECT_EQ((*entries)[0].name, "file");
  EXPECT_EQ((*entries)[0].type, EntryType::File);
  EXPECT_EQ((*entries)[1].type, EntryType::Directory);
  EXPECT_EQ((*entries)[2].name, "link");
  EXPECT_EQ((*entries)[2].type, EntryType::Directory);
  EXPECT_TRUE((*entries)[2].symlink);
  EXPECT_EQ((*entries)[3].type, EntryType::Other);
  EXPECT_FALSE(fs.List(temp.File("file")));
  EXPECT_FALSE(fs.List(temp.File("none")));
}

// What the PC list shows comes with the listing, of what a link leads to;
// one entry looked up alone is the entry the listing gives.
TEST(PosixFileSystem, ListingGivesEachEntrysSizeAndDate) {
  TempDir temp;
  PosixFileSystem fs;
  WriteBytes(temp.File("12310007.AHC"), "12345");
  ASSERT_TRUE(SetFileCreationDate(temp.File("12310007.AHC"), {1998, 12, 31}));
  std::filesystem::create_symlink(temp.File("12310007.AHC"), temp.File("link"));
  std::filesystem::create_symlink(temp.File("none"), temp.File("dangling"));
  std::filesystem::create_directory(temp.File("folder"));
  const auto entries = fs.List(temp.path());
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 4u);
  for (const DirectoryEntry& entry : *entries) {
    EXPECT_EQ(fs.Entry(temp.path(), entry.name), entry) << entry.name;
    EXPECT_EQ(fs.Entry(temp.path() + "/", entry.name), entry) << entry.name;
    if (entry.name == "dangling") {
      EXPECT_TRUE(entry.symlink);
      EXPECT_EQ(entry.type, EntryType::Other);
      EXPECT_FALSE(entry.modified);
    } else if (entry.name != "folder") {
      EXPECT_EQ(entry.symlink, entry.name == "link");
      EXPECT_EQ(entry.type, EntryType::File) << entry.name;
      EXPECT_EQ(entry.size, 5u) << entry.name;
      ASSERT_TRUE(entry.modified) << entry.name;
      EXPECT_EQ(CalendarDateOf(*entry.modified), (CalendarDate{1998, 12, 31})) << entry.name;
    }
  }
  EXPECT_FALSE(fs.Entry(temp.path(), "none"));
  EXPECT_FALSE(fs.Entry(temp.File("none"), "x"));
}

TEST(PosixFileSystem, FactsTellAReadOnlyFileAndALink) {
  TempDir temp;
  PosixFileSystem fs;
  WriteBytes(temp.File("ro"), "1");
  ::chmod(temp.File("ro").c_str(), 0444);
  WriteBytes(temp.File("rw"), "1");
  std::filesystem::create_symlink(temp.File("ro"), temp.File("link"));
  EXPECT_TRUE(fs.Facts(temp.File("ro"))->writeProtected);
  EXPECT_FALSE(fs.Facts(temp.File("rw"))->writeProtected);
  EXPECT_TRUE(fs.Facts(temp.File("link"))->symlink);
  EXPECT_FALSE(fs.Facts(temp.File("link"))->writeProtected);
  EXPECT_FALSE(fs.Facts(temp.File("none")));
  // Removing a link leaves what it leads to.
  EXPECT_EQ(fs.RemoveFile(temp.File("link")), FsStatus::Ok);
  EXPECT_TRUE(std::filesystem::exists(temp.File("ro")));
  EXPECT_EQ(fs.RemoveFolder(temp.File("ro")), FsStatus::Failed);
}

// One folder by any of its names: through a link, with "..", with or
// without a separator at the end. A link's own facts stay the link's.
TEST(PosixFileSystem, AFolderIsTheSameFolderWhateverItIsCalled) {
  TempDir temp;
  std::filesystem::create_directories(temp.File("lab/tests"));
  std::filesystem::create_directory(temp.File("other"));
  std::filesystem::create_directory_symlink(temp.File("lab/tests"), temp.File("alias"));
  PosixFileSystem fs;
  const std::string tests = temp.File("lab/tests");
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {tests, tests + "/", true},
      {tests, temp.File("alias"), true},
      {temp.File("alias"), tests + "/", true},
      {temp.File("other/../lab/tests"), temp.File("alias/"), true},
      {tests, temp.File("lab"), false},
      {temp.File("alias"), temp.File("other"), false},
      {temp.File("gone"), temp.File("gone/"), true},  // one spelling, nothing to ask
      {temp.File("gone"), temp.File("also-gone"), false},
      {"", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameFolder(fs, c.a, c.b), c.same) << c.a << " " << c.b;
  EXPECT_FALSE(fs.Identity(temp.File("gone")));
  EXPECT_NE(fs.Facts(temp.File("alias"))->inode, fs.Identity(temp.File("alias"))->inode);
}

}  // namespace
}  // namespace tesmora::platform
