#include "link/transfers.h"

#include <gtest/gtest.h>

#include "link_fakes.h"
#include "shell/message_table.h"

namespace tesmora::link {
namespace {

TEST(Transfers, RecorderFormatIsANumberInCharacters10To12) {
  EXPECT_TRUE(IsRecorderFormatName("03151234.312"));
  EXPECT_FALSE(IsRecorderFormatName("readme.txt"));
  EXPECT_FALSE(IsRecorderFormatName("03151234.3A2"));
  EXPECT_FALSE(IsRecorderFormatName("0315.312"));
  // Read as an integer, the way the File menu's Export reads it: a sign counts.
  EXPECT_TRUE(IsRecorderFormatName("abcdefgh.-12"));
  EXPECT_FALSE(IsRecorderFormatName("abcdefgh.12 "));
  EXPECT_TRUE(AcceptsDropOnRecorderList({"03151234.312", "01011111.111"}, false));
  EXPECT_FALSE(AcceptsDropOnRecorderList({"03151234.312", "readme.txt"}, false));
  EXPECT_TRUE(AcceptsDropOnRecorderList({"readme.txt"}, true));
}

TEST(Transfers, DrivePrefixFollowsTheMemoryChoice) {
  EXPECT_EQ(DrivePrefixFor(0, 'E'), "");
  EXPECT_EQ(DrivePrefixFor(1, 'E'), "c:");
  EXPECT_EQ(DrivePrefixFor(2, 'E'), "E:");
  EXPECT_EQ(DrivePrefixFor(2, 0), "");
  EXPECT_EQ(FlashMemoryItemText('E'), "E (Flash)");
}

TEST(Transfers, AskReplaceAsksOnlyAboutExistingFiles) {
  testing::FakePrompter prompter;
  prompter.Script({PromptAnswer::Cancel});
  const LanguageState english;
  EXPECT_EQ(AskReplace(prompter, false, "a.312", english), std::nullopt);
  EXPECT_EQ(AskReplace(prompter, true, "a.312", english), PromptAnswer::Cancel);
  EXPECT_EQ(prompter.questions(), std::vector<std::string>{"a.312. " + MessageUtf8(285, 1)});
}

}  // namespace
}  // namespace tesmora::link
