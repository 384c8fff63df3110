#include "shell/copy_window_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tesmora {
namespace {

struct DirectionCase {
  CopyDirection direction;
  std::string folder;
  std::string shortName;
  std::string line;
};

// The direction line names the folder by its last component; a folder text
// too short to have one stands whole.
TEST(CopyWindowTexts, DirectionLineNamesTheFolderByItsLastComponent) {
  const DirectionCase cases[] = {
      {CopyDirection::FromRecorder, "/lab/Tests/", "Tests", "KALDIRONE --> 'Tests'"},
      {CopyDirection::ToRecorder, "/lab/Tests/", "Tests", "'Tests' --> KALDIRONE"},
      {CopyDirection::FromRecorder, "/home/ana/received", "received", "KALDIRONE --> 'received'"},
      {CopyDirection::ToRecorder, "/", "/", "'/' --> KALDIRONE"},
      {CopyDirection::FromRecorder, "ab/", "ab/", "KALDIRONE --> 'ab/'"},
      {CopyDirection::ToRecorder, "abcd/", "abcd", "'abcd' --> KALDIRONE"},
      {CopyDirection::None, "/lab/Tests/", "Tests", ""},
  };
  for (const DirectionCase& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(FolderShortName(c.folder), c.shortName);
    EXPECT_EQ(CopyDirectionText(c.direction, c.folder), c.line);
  }
  EXPECT_EQ(ReceiveDirectionText("/lab/Tests/"), "KALDIRONE --> 'Tests'");
  EXPECT_EQ(SendDirectionText("/lab/Tests/"), "'Tests' --> KALDIRONE");
}

// A program's bar: one-point steps that add up to exactly 100 for any size,
// spread as evenly as the bytes allow.
TEST(ProgramProgress, StepsAddUpToAHundredForAnySize) {
  for (const std::uint32_t count : {1u, 7u, 57u, 100u, 101u, 2100u, 4550u, 65535u}) {
    SCOPED_TRACE(count);
    int total = 0;
    int most = 0;
    for (std::uint32_t sent = 1; sent <= count; ++sent) {
      const int steps = ProgramProgressSteps(sent, count);
      total += steps;
      most = std::max(most, steps);
    }
    EXPECT_EQ(total, 100);
    EXPECT_EQ(most, static_cast<int>((100 + count - 1) / count));
  }
  // At every hundredth of a size that divides by a hundred, and only there.
  EXPECT_EQ(ProgramProgressSteps(44, 4500), 0);
  EXPECT_EQ(ProgramProgressSteps(45, 4500), 1);
  EXPECT_EQ(ProgramProgressSteps(46, 4500), 0);
  EXPECT_EQ(ProgramProgressSteps(0, 4500), 0);
  EXPECT_EQ(ProgramProgressSteps(4501, 4500), 0);
  EXPECT_EQ(ProgramProgressSteps(1, 0), 0);
}

}  // namespace
}  // namespace tesmora
