#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tesmora::platform {
namespace {

TEST(JoinPath, PutsOneSeparatorBetween) {
  EXPECT_EQ(JoinPath("/lab", "a.ini"), "/lab/a.ini");
  EXPECT_EQ(JoinPath("/lab/", "a.ini"), "/lab/a.ini");
  EXPECT_EQ(JoinPath("", "a.ini"), "a.ini");
  EXPECT_EQ(WithTrailingSeparator("/lab"), "/lab/");
  EXPECT_EQ(WithTrailingSeparator("/"), "/");
  EXPECT_EQ(WithTrailingSeparator(""), "");
}

TEST(ProgramDirectory, IsTheProgramsFolderUnlessTesmoraHomeIsSet) {
  ::unsetenv("TESMORA_HOME");
  const std::string own = ProgramDirectory();
  ASSERT_FALSE(own.empty());
  EXPECT_NE(own.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(own + "/platform_tests"));
  // Starting from another working directory changes nothing.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path("/");
  EXPECT_EQ(ProgramDirectory(), own);
  std::filesystem::current_path(previous);
  ::setenv("TESMORA_HOME", "/tmp/lab/", 1);
  EXPECT_EQ(ProgramDirectory(), "/tmp/lab");
  ::setenv("TESMORA_HOME", "", 1);
  EXPECT_EQ(ProgramDirectory(), own);
  ::unsetenv("TESMORA_HOME");
}

}  // namespace
}  // namespace tesmora::platform
