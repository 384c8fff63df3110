#include "explorer/auto_save_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "explorer_fixture.h"
#include "platform/profile_file.h"
#include "shell/message_table.h"
#include "shell/ui_texts.h"

namespace tesmora::explorer {
namespace {

using tesmora::testing::ReadBytes;
using testing::ExplorerFixture;

class AutoSaveTest : public ExplorerFixture {
 protected:
  void SetUp() override {
    MakeFolder(temp.File("program"));
    MakeFolder(home + "/Tests");
    settings = LoadSettings(temp.File("program"), home);
    ASSERT_EQ(settings.AutoSaveDirectory, home + "/");
    dialog.Show(settings, fs);
  }
  std::string SettingsFile() const { return ReadBytes(settings.settingsPath); }
  NodeId Root(std::string_view text) const { return dialog.tree().FindChild(kNoNode, text); }
  Settings settings;
  AutoSaveDirectoryDialog dialog;
};

TEST_F(AutoSaveTest, OkWithoutASelectionAsksAndStoresNothing) {
  EXPECT_EQ(dialog.zeNewRep(), home + "/");
  EXPECT_EQ(dialog.tree().OpenFolder(), kNoNode);
  const std::string before = SettingsFile();
  EXPECT_FALSE(dialog.Ok(settings, prompter, english));
  EXPECT_TRUE(prompter.questions().empty());
  EXPECT_EQ(SettingsFile(), before);
}

TEST_F(AutoSaveTest, TheTextFollowsTheSelectionExceptOnPlacesWithoutFiles) {
  const NodeId tests = dialog.tree().FindChild(Root("home"), "Tests");
  dialog.Select(Root("LAB STICK"));
  EXPECT_EQ(dialog.zeNewRep(), usb + "/");
  dialog.Select(tests);
  EXPECT_EQ(dialog.zeNewRep(), home + "/Tests/");
  EXPECT_EQ(dialog.tree().Node(tests).state, kNodeOpenFolder);
  const NodeId network = Root(kNetworkRootText);
  dialog.tree().Expand(network, fs);
  const NodeId srv = dialog.tree().FindChild(network, "srv");
  for (NodeId refused : {network, srv, Root("cdrom")}) {
    dialog.Select(refused);
    EXPECT_EQ(dialog.zeNewRep(), home + "/Tests/");
    EXPECT_EQ(dialog.tree().Node(tests).state, kNodeOpenFolder);
  }
  dialog.Select(dialog.tree().FindChild(srv, "DATA"));
  EXPECT_EQ(dialog.zeNewRep(), share + "/");
}

TEST_F(AutoSaveTest, TheMainTreeKeepsItsOpenFolder) {
  FolderTree mainTree;
  mainTree.Fill(fs);
  const NodeId mainTests = mainTree.FindChild(mainTree.FindChild(kNoNode, "home"), "Tests");
  mainTree.MarkCurrentFolder(mainTests);
  dialog.Select(Root("data"));
  dialog.Select(dialog.tree().FindChild(Root("home"), "Tests"));
  EXPECT_EQ(mainTree.OpenFolder(), mainTests);
  EXPECT_EQ(mainTree.Node(mainTests).state, kNodeOpenFolder);
}

TEST_F(AutoSaveTest, CancelKeepsTheSettingsFileAndOkWritesIt) {
  dialog.Select(Root("data"));
  const std::string before = SettingsFile();
  prompter.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(dialog.Ok(settings, prompter, english));
  EXPECT_EQ(settings.AutoSaveDirectory, home + "/");
  EXPECT_EQ(SettingsFile(), before);
  ASSERT_EQ(prompter.asked().size(), 1u);
  EXPECT_EQ(prompter.asked()[0].text, MessageUtf8(msg::kChangeAutoSaveDirectory, english));
  EXPECT_EQ(prompter.asked()[0].caption, MessageUtf8(msg::kConfirmation, english));
  EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Question);

  EXPECT_TRUE(dialog.Ok(settings, prompter, english));
  EXPECT_EQ(settings.AutoSaveDirectory, data + "/");
  EXPECT_EQ(LoadSettings(temp.File("program"), home).AutoSaveDirectory, data + "/");
}

// OK never claims a change that the settings file did not take: the box
// says so, and the directory stays the stored one, in memory and on disk.
TEST_F(AutoSaveTest, ASettingsFileThatCannotBeWrittenIsReportedAndNothingChanges) {
  // Where the settings file was, a folder of that name: no file goes there.
  std::filesystem::remove(settings.settingsPath);
  MakeFolder(settings.settingsPath);
  dialog.Select(Root("data"));
  EXPECT_FALSE(dialog.Ok(settings, prompter, english));
  EXPECT_EQ(prompter.questions(),
            std::vector<std::string>{MessageUtf8(msg::kChangeAutoSaveDirectory, english)});
  EXPECT_EQ(prompter.messages(),
            std::vector<std::string>{std::string(UiTextUtf8(UiText::AutoSaveNotWritten, 1))});
  EXPECT_EQ(prompter.icons(), std::vector<PromptIcon>{PromptIcon::Error});
  EXPECT_EQ(settings.AutoSaveDirectory, home + "/");
}

}  // namespace
}  // namespace tesmora::explorer
