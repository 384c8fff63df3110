#include "platform/bounded_file_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/hanging_file_system.h"
#include "support/temp_dir.h"
#include "support/wait.h"

namespace tesmora::platform {
namespace {

using namespace std::chrono_literals;
using tesmora::testing::HangingFileSystem;
using tesmora::testing::TempDir;
using tesmora::testing::WaitUntil;
using tesmora::testing::WriteBytes;

class BoundedListing : public ::testing::Test {
 protected:
  BoundedListing() {
    WriteBytes(temp.File("file"), "1");
    std::filesystem::create_directory(temp.File("share"));
    WriteBytes(temp.File("share/inside"), "2");
    real->hung.insert(temp.File("share"));
  }
  ~BoundedListing() override { real->Release(); }

  TempDir temp;
  // The drives: the test's folder as the home folder.
  std::shared_ptr<HangingFileSystem> real =
      std::make_shared<HangingFileSystem>(DriveSources{"", "", "", temp.path()});
  BoundedFileSystem fs{real, 50ms};
};

TEST_F(BoundedListing, AFolderThatDoesNotAnswerIsNotListedAndHoldsNothingElse) {
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(fs.List(temp.File("share")));
  // Asked again while its listing still hangs: nothing at once, and no
  // second call that would hang as well.
  EXPECT_FALSE(fs.List(temp.File("share")));
  EXPECT_EQ(real->callsOf(temp.File("share")), 1);
  ASSERT_TRUE(fs.List(temp.path()));
  EXPECT_EQ(fs.List(temp.path())->size(), 2u);
  // Nothing else waits on the hung folder.
  EXPECT_EQ(fs.CopyFile(temp.File("file"), temp.File("copy"), OverwritePolicy::Always),
            FsStatus::Ok);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
}

// A slow share answers after the wait: the next try gets that answer.
TEST_F(BoundedListing, AnAnswerThatComesLateServesTheNextTry) {
  EXPECT_FALSE(fs.List(temp.File("share")));
  real->Release();
  decltype(fs.List(temp.File("share"))) late;
  ASSERT_TRUE(WaitUntil([&] { return static_cast<bool>(late = fs.List(temp.File("share"))); }));
  ASSERT_EQ(late->size(), 1u);
  EXPECT_EQ((*late)[0].name, "inside");
  EXPECT_EQ(real->callsOf(temp.File("share")), 1);
  // Used once: the try after lists the folder afresh.
  EXPECT_TRUE(fs.List(temp.File("share")));
  EXPECT_EQ(real->callsOf(temp.File("share")), 2);
}

TEST_F(BoundedListing, ADriveListThatHangsGivesNoDrives) {
  real->drivesHang = true;
  EXPECT_TRUE(fs.Drives().empty());
  real->Release();
  decltype(fs.Drives()) drives;
  ASSERT_TRUE(WaitUntil([&] {
    drives = fs.Drives();
    return !drives.empty();
  }));
  EXPECT_EQ(drives[0].mountPoint, temp.path());
  EXPECT_EQ(real->callsOf("drives"), 1);
}

}  // namespace
}  // namespace tesmora::platform
