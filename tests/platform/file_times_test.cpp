#include "platform/file_times.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(FileTimes, SetDateIsReadBackAndKeepsTheTimeOfDay) {
  TempDir dir;
  const std::string path = dir.File("12310007.AHC");
  WriteBytes(path, "x");
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  ASSERT_TRUE(SetFileCreationDate(path, {1998, 12, 31}));
  EXPECT_EQ(ReadFileDate(path, FileTimeKind::Creation), (CalendarDate{1998, 12, 31}));
  EXPECT_EQ(ReadFileDate(path, FileTimeKind::LastWrite), (CalendarDate{1998, 12, 31}));

  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec % 86400, before.st_mtim.tv_sec % 86400);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST(FileTimes, DatesBefore1970AndLeapDays) {
  TempDir dir;
  const std::string path = dir.File("f");
  WriteBytes(path, "x");
  for (const CalendarDate date :
       {CalendarDate{1965, 1, 1}, CalendarDate{2024, 2, 29}, CalendarDate{2094, 12, 31}}) {
    ASSERT_TRUE(SetFileCreationDate(path, date));
    EXPECT_EQ(ReadFileDate(path, FileTimeKind::Creation), date);
  }
}

TEST(FileTimes, ImpossibleDatesAndMissingFilesFail) {
  TempDir dir;
  const std::string path = dir.File("f");
  WriteBytes(path, "x");
  EXPECT_FALSE(SetFileCreationDate(path, {2003, 2, 29}));
  EXPECT_FALSE(SetFileCreationDate(path, {2003, 13, 1}));
  EXPECT_FALSE(SetFileCreationDate(path, {2003, 4, 31}));
  EXPECT_FALSE(SetFileCreationDate(dir.File("missing"), {2003, 4, 30}));
  EXPECT_EQ(ReadFileDate(dir.File("missing"), FileTimeKind::Creation), std::nullopt);
}

}  // namespace
}  // namespace tesmora::platform
