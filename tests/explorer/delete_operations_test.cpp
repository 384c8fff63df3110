#include "explorer/delete_operations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explorer_fixture.h"
#include "shell/message_table.h"

namespace tesmora::explorer {
namespace {

using testing::ExplorerFixture;

class DeleteTest : public ExplorerFixture {
 protected:
  std::string Text(MessageId message) const { return MessageUtf8(message, english); }
};

TEST_F(DeleteTest, AProgramIsAskedAboutAndCancelKeepsIt) {
  MakeFile(home + "/SETUP.EXE");
  prompter.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(DeleteOneFile(Context(), home + "/SETUP.EXE", "SETUP.EXE"));
  EXPECT_TRUE(Exists(home + "/SETUP.EXE"));
  ASSERT_EQ(prompter.asked().size(), 1u);
  EXPECT_EQ(prompter.asked()[0].text,
            "SETUP.EXE. " + Text(msg::kProgramFile) + Text(msg::kRemoveFile));
  EXPECT_EQ(prompter.asked()[0].caption, Text(msg::kConfirmation));
  EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Question);
  EXPECT_TRUE(DeleteOneFile(Context(), home + "/SETUP.EXE", "SETUP.EXE"));  // OK
  EXPECT_FALSE(Exists(home + "/SETUP.EXE"));
}

TEST_F(DeleteTest, AReadOnlyFileIsAskedAboutAndOkDeletesIt) {
  MakeFile(home + "/03151022.103");
  MakeReadOnly(home + "/03151022.103");
  prompter.Script({PromptAnswer::Cancel, PromptAnswer::Ok});
  EXPECT_FALSE(DeleteOneFile(Context(), home + "/03151022.103", "03151022.103"));
  EXPECT_TRUE(Exists(home + "/03151022.103"));
  EXPECT_TRUE(DeleteOneFile(Context(), home + "/03151022.103", "03151022.103"));
  EXPECT_FALSE(Exists(home + "/03151022.103"));
  EXPECT_EQ(prompter.questions(),
            std::vector<std::string>(
                2, "03151022.103. " + Text(msg::kReadOnlyFile) + Text(msg::kRemoveFile)));
  EXPECT_TRUE(prompter.messages().empty());
  // A plain file goes without a question.
  MakeFile(home + "/plain.txt");
  EXPECT_TRUE(DeleteOneFile(Context(), home + "/plain.txt", "plain.txt"));
  EXPECT_EQ(prompter.questions().size(), 2u);
}

TEST_F(DeleteTest, AFileThatStaysIsReported) {
  MakeFile(home + "/a.312");
  fs.refuseRemove.insert(home + "/a.312");
  EXPECT_FALSE(DeleteOneFile(Context(), home + "/a.312", "a.312"));
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{"a.312. " + Text(msg::kFileNotDeleted)});
  EXPECT_EQ(prompter.captions(), std::vector<std::string>{"Tesmora"});
  EXPECT_EQ(prompter.icons(), std::vector<PromptIcon>{PromptIcon::Error});
}

TEST_F(DeleteTest, TheSelectionQuestionNamesASingleFile) {
  MakeFile(home + "/a.312");
  MakeFile(home + "/b.312");
  MakeFile(home + "/c.312");
  prompter.Script({PromptAnswer::Cancel});
  EXPECT_TRUE(DeleteSelectedFiles(Context(), home, {"a.312"}).empty());
  EXPECT_EQ(prompter.questions().back(), "a.312. " + Text(msg::kRemoveFile));
  EXPECT_TRUE(Exists(home + "/a.312"));
  fs.refuseRemove.insert(home + "/b.312");
  EXPECT_EQ(DeleteSelectedFiles(Context(), home, {"a.312", "b.312", "c.312"}),
            (std::vector<std::string>{"a.312", "c.312"}));
  EXPECT_EQ(prompter.questions().back(), Text(msg::kRemoveFiles));
  EXPECT_TRUE(Exists(home + "/b.312"));
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{"b.312. " + Text(msg::kFileNotDeleted)});
}

class DeleteFolderTest : public DeleteTest {
 protected:
  void SetUp() override {
    MakeFolder(home + "/Lab/Week/Day");
    MakeFile(home + "/Lab/Week/Day/1.312");
    MakeFile(home + "/Lab/Week/2.312");
    MakeFile(home + "/Lab/3.312");
    tree.Fill(fs);
    lab = tree.FindChild(tree.FindChild(kNoNode, "home"), "Lab");
  }
  FolderTree tree;
  NodeId lab = kNoNode;
};

TEST_F(DeleteFolderTest, AFolderGoesWithAllItHoldsAndItsNode) {
  const DeleteNodeOutcome outcome = DeleteFolderNode(Context(), tree, lab);
  EXPECT_TRUE(outcome.deleted);
  EXPECT_FALSE(Exists(home + "/Lab"));
  EXPECT_FALSE(tree.Contains(lab));
  EXPECT_EQ(outcome.change.removed, std::vector<NodeId>{lab});
  EXPECT_EQ(prompter.asked().at(0).text, "Lab. " + Text(msg::kRemoveFolder));
  EXPECT_EQ(prompter.asked().at(0).buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter.questions().size(), 1u);  // no question inside
}

TEST_F(DeleteFolderTest, CancelAtTheQuestionDeletesNothing) {
  prompter.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(DeleteFolderNode(Context(), tree, lab).deleted);
  EXPECT_TRUE(Exists(home + "/Lab/Week/Day/1.312"));
  EXPECT_TRUE(tree.Contains(lab));
  EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(DeleteFolderTest, CancelOnAReadOnlyFileStopsEverythingAfterIt) {
  MakeFile(home + "/Lab/Week/ro.312");
  MakeReadOnly(home + "/Lab/Week/ro.312");
  // What the listing visits before the read-only file goes; the rest stays.
  std::vector<std::string> before, after;
  bool seen = false;
  const auto listing = fs.List(home + "/Lab/Week");
  ASSERT_TRUE(listing);
  for (const auto& entry : *listing) {
    if (entry.name == "ro.312") {
      seen = true;
    } else {
      (seen ? after : before).push_back(home + "/Lab/Week/" + entry.name);
    }
  }
  prompter.Script({PromptAnswer::Ok, PromptAnswer::Cancel});
  EXPECT_FALSE(DeleteFolderNode(Context(), tree, lab).deleted);
  EXPECT_TRUE(Exists(home + "/Lab/Week/ro.312"));
  for (const std::string& path : before) EXPECT_FALSE(Exists(path)) << path;
  for (const std::string& path : after) EXPECT_TRUE(Exists(path)) << path;
  EXPECT_TRUE(Exists(home + "/Lab/Week"));
  EXPECT_TRUE(tree.Contains(lab));
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{"Lab. " + Text(msg::kFolderNotDeleted)});
  EXPECT_EQ(prompter.captions(), std::vector<std::string>{"Tesmora"});
}

TEST_F(DeleteFolderTest, ALinkInsideIsDeletedWithoutWhatItLeadsTo) {
  MakeFolder(data + "/Precious");
  MakeFile(data + "/Precious/keep.312");
  std::filesystem::create_directory_symlink(data + "/Precious", home + "/Lab/Week/link");
  std::filesystem::create_symlink(data + "/Precious/keep.312", home + "/Lab/file-link");
  EXPECT_TRUE(DeleteFolderNode(Context(), tree, lab).deleted);
  EXPECT_FALSE(Exists(home + "/Lab"));
  EXPECT_TRUE(Exists(data + "/Precious/keep.312"));
}

TEST_F(DeleteFolderTest, AnotherFileSystemMountedInsideIsNotEmptied) {
  MakeFolder(home + "/Lab/Stick");
  MakeFile(home + "/Lab/Stick/on-the-stick.312");
  fs.mountPoints.insert(home + "/Lab/Stick");
  EXPECT_FALSE(DeleteFolderNode(Context(), tree, lab).deleted);
  EXPECT_TRUE(Exists(home + "/Lab/Stick/on-the-stick.312"));
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{"Lab. " + Text(msg::kFolderNotDeleted)});
}

TEST_F(DeleteFolderTest, ALinkToAFolderIsRemovedItself) {
  MakeFile(data + "/keep.312");
  std::filesystem::create_directory_symlink(data, home + "/Linked");
  EXPECT_TRUE(DeleteFolder(Context(), home + "/Linked", "Linked"));
  EXPECT_FALSE(Exists(home + "/Linked"));
  EXPECT_TRUE(Exists(data + "/keep.312"));
}

TEST_F(DeleteFolderTest, RootsServersAndSharesAreNotDeleted) {
  EXPECT_FALSE(DeleteFolderNode(Context(), tree, tree.FindChild(kNoNode, "home")).deleted);
  const NodeId network = tree.FindChild(kNoNode, kNetworkRootText);
  tree.Expand(network, fs);
  const NodeId srv = tree.FindChild(network, "srv");
  EXPECT_FALSE(DeleteFolderNode(Context(), tree, srv).deleted);
  EXPECT_FALSE(DeleteFolderNode(Context(), tree, tree.FindChild(srv, "DATA")).deleted);
  EXPECT_TRUE(prompter.questions().empty());
  EXPECT_TRUE(Exists(share));
}

}  // namespace
}  // namespace tesmora::explorer
