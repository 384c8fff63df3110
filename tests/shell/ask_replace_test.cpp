#include "shell/ask_replace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/message_table.h"
#include "support/fake_prompter.h"

namespace tesmora {
namespace {

TEST(AskReplace, AsksOnlyAboutExistingFiles) {
  testing::FakePrompter prompter;
  prompter.Script({PromptAnswer::Cancel});
  const LanguageState english;
  EXPECT_EQ(AskReplace(prompter, false, "a.312", english), std::nullopt);
  EXPECT_EQ(AskReplace(prompter, true, "a.312", english), PromptAnswer::Cancel);
  EXPECT_EQ(prompter.questions(),
            std::vector<std::string>{"a.312. " + MessageUtf8(msg::kReplaceFile, 1)});
  // A stop sign over Yes, No and Cancel, under the confirmation caption.
  ASSERT_EQ(prompter.asked().size(), 1u);
  EXPECT_EQ(prompter.asked()[0].caption, MessageUtf8(msg::kConfirmation, 1));
  EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Stop);
}

}  // namespace
}  // namespace tesmora
