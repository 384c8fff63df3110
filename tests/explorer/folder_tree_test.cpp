#include "explorer/folder_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "explorer/tree_edit.h"
#include "explorer_fixture.h"
#include "shell/message_table.h"

namespace tesmora::explorer {
namespace {

using testing::ExplorerFixture;

class FolderTreeTest : public ExplorerFixture {
 protected:
  std::vector<std::string> Texts(const std::vector<NodeId>& ids) const {
    std::vector<std::string> texts;
    for (NodeId id : ids) texts.push_back(tree.Node(id).text);
    return texts;
  }
  NodeId Root(std::string_view text) const { return tree.FindChild(kNoNode, text); }
  // The folders of `path` below home expanded one after the other; the
  // last one's node.
  NodeId ExpandDown(std::initializer_list<std::string_view> path) {
    NodeId at = Root("home");
    for (std::string_view text : path) {
      at = tree.FindChild(at, text);
      tree.Expand(at, fs);
    }
    return at;
  }
  NodeId NetworkRoot() const { return Root(kNetworkRootText); }
  FolderTree tree;
};

// A subfolder that does not answer when the tree looks one level deeper (a
// share mounted there that hangs) keeps an expand button for another try,
// and its siblings are listed as always.
TEST_F(FolderTreeTest, ASubfolderThatCannotBeLookedIntoKeepsItsButton) {
  MakeFolder(home + "/Share/Inside");
  MakeFolder(home + "/Tests");
  fs.unlistable.insert(home + "/Share");
  tree.Fill(fs);
  const NodeId share = tree.FindChild(Root("home"), "Share");
  ASSERT_NE(share, kNoNode);
  EXPECT_TRUE(tree.Node(share).hasChildren);
  EXPECT_FALSE(tree.Node(tree.FindChild(Root("home"), "Tests")).hasChildren);
  EXPECT_FALSE(tree.Expand(share, fs).listed);
  EXPECT_TRUE(tree.Node(share).hasChildren);
  fs.unlistable.clear();
  EXPECT_TRUE(tree.Expand(share, fs).listed);
  EXPECT_EQ(Texts(tree.Node(share).children), std::vector<std::string>{"Inside"});
}

TEST_F(FolderTreeTest, FillShowsTheDrivesThenTheNetworkWithTheHomeSelectedAndListed) {
  MakeFolder(home + "/Tests/2024");
  MakeFolder(home + "/Archive");
  const TreeChange change = tree.Fill(fs);
  EXPECT_EQ(change.childrenChanged, std::vector<NodeId>{kNoNode});
  EXPECT_EQ(Texts(tree.Roots()),
            (std::vector<std::string>{"LAB STICK", "cdrom", "data", "home", "net-backup",
                                      "net-data", std::string(kNetworkRootText)}));
  struct Expected {
    std::string_view text;
    int state;
    bool hasChildren;
  };
  const Expected expected[] = {
      {"cdrom", kNodeCdRom, true},
      {"data", kNodeFixedDrive, false},
      {"home", kNodeFixedDrive, false},
      {"LAB STICK", kNodeRemovable, true},
      {"net-backup", kNodeNetworkDrive, true},
      {kNetworkRootText, kNodeNetworkRoot, true},
  };
  for (const Expected& e : expected) {
    const TreeNode& node = tree.Node(Root(e.text));
    EXPECT_EQ(node.state, e.state) << e.text;
    EXPECT_EQ(node.hasChildren, e.hasChildren) << e.text;
  }
  const NodeId homeNode = Root("home");
  EXPECT_EQ(tree.Selected(), homeNode);
  EXPECT_TRUE(tree.Node(homeNode).expanded);
  // One level deeper: 2024 is a place-holder showing Tests's expand button.
  EXPECT_EQ(Texts(tree.Node(homeNode).children), (std::vector<std::string>{"Archive", "Tests"}));
  const TreeNode& tests = tree.Node(tree.FindChild(homeNode, "Tests"));
  ASSERT_EQ(tests.children.size(), 1u);
  EXPECT_EQ(tree.Node(tests.children[0]).state, kNodeNone);
  EXPECT_TRUE(tree.Node(tree.FindChild(homeNode, "Archive")).children.empty());
}

TEST(NodeKind, EveryStateHasItsOwnWordsAndAPlaceHolderNone) {
  std::set<UiText> seen;
  for (int state = kNodeFixedDrive; state <= kNodeNetworkDrive; ++state) {
    const std::optional<UiText> text = NodeKindText(state);
    ASSERT_TRUE(text) << state;
    EXPECT_TRUE(seen.insert(*text).second) << state;
  }
  EXPECT_EQ(NodeKindText(kNodeCdRom), UiText::CdRomDrive);
  EXPECT_EQ(NodeKindText(kNodeShare), UiText::NetworkShare);
  EXPECT_FALSE(NodeKindText(kNodeNone));
}

TEST_F(FolderTreeTest, ExpandingReplacesThePlaceHolderByTheFolder) {
  MakeFolder(home + "/Tests/Empty");
  tree.Fill(fs);
  const NodeId tests = tree.FindChild(Root("home"), "Tests");
  const NodeId placeHolder = tree.Node(tests).children.at(0);
  const ExpandOutcome outcome = tree.Expand(tests, fs);
  EXPECT_TRUE(outcome.listed);
  EXPECT_EQ(outcome.change.removed, std::vector<NodeId>{placeHolder});
  EXPECT_FALSE(tree.Contains(placeHolder));
  const NodeId empty = tree.FindChild(tests, "Empty");
  ASSERT_NE(empty, kNoNode);
  EXPECT_EQ(tree.Node(empty).state, kNodeFolder);
  EXPECT_TRUE(tree.Node(empty).children.empty());
  EXPECT_FALSE(tree.Node(empty).hasChildren);
}

TEST_F(FolderTreeTest, AFolderThatCannotBeListedKeepsItsExpandButton) {
  MakeFolder(home + "/Gone/Inner");
  tree.Fill(fs);
  const NodeId gone = tree.FindChild(Root("home"), "Gone");
  std::filesystem::remove_all(home + "/Gone");
  const ExpandOutcome outcome = tree.Expand(gone, fs);
  EXPECT_FALSE(outcome.listed);
  EXPECT_TRUE(tree.Node(gone).hasChildren);
  EXPECT_TRUE(tree.Node(gone).children.empty());
}

TEST_F(FolderTreeTest, PathsAreWhereTheFilesAre) {
  MakeFolder(home + "/Tests/2024");
  MakeFolder(share + "/Lab");
  tree.Fill(fs);
  const NodeId tests = tree.FindChild(Root("home"), "Tests");
  tree.Expand(tests, fs);
  const NodeId year = tree.FindChild(tests, "2024");
  EXPECT_EQ(tree.NodePath(Root("home")).path, home);
  EXPECT_EQ(tree.NodePath(Root("home")).depth, 1);
  EXPECT_EQ(tree.NodePath(year).path, home + "/Tests/2024");
  EXPECT_EQ(tree.NodePath(year).depth, 3);
  EXPECT_FALSE(tree.NodePath(year).onNetwork);

  // The network root and the servers hold no files: no path.
  const NodeId network = NetworkRoot();
  tree.Expand(network, fs);
  EXPECT_EQ(tree.NodePath(network).path, "");
  EXPECT_EQ(tree.NodePath(network).depth, 1);
  EXPECT_TRUE(tree.NodePath(network).onNetwork);
  const NodeId srv = tree.FindChild(network, "srv");
  ASSERT_NE(srv, kNoNode);
  EXPECT_EQ(tree.NodePath(srv).path, "");
  const NodeId data = tree.FindChild(srv, "DATA");
  ASSERT_NE(data, kNoNode);
  EXPECT_EQ(tree.NodePath(data).path, share);
  EXPECT_EQ(tree.NodePath(data).depth, 3);
  tree.Expand(data, fs);
  const NodeId lab = tree.FindChild(data, "Lab");
  EXPECT_EQ(tree.NodePath(lab).path, share + "/Lab");
  // No deeper look on the network: every folder has a button.
  EXPECT_TRUE(tree.Node(lab).hasChildren);
}

TEST_F(FolderTreeTest, TheNetworkRootHoldsTheServersOfTheMountedShares) {
  tree.Fill(fs);
  const NodeId network = NetworkRoot();
  tree.Expand(network, fs);
  EXPECT_EQ(Texts(tree.Node(network).children), (std::vector<std::string>{"nas", "srv"}));
  const NodeId nas = tree.FindChild(network, "nas");
  EXPECT_EQ(tree.Node(nas).state, kNodeServer);
  const NodeId backupShare = tree.FindChild(nas, "export/backup");
  ASSERT_NE(backupShare, kNoNode);
  EXPECT_EQ(tree.Node(backupShare).state, kNodeShare);
  EXPECT_TRUE(tree.Node(backupShare).hasChildren);
  EXPECT_EQ(tree.NodePath(backupShare).path, backup);
  // A server's expansion leaves its shares; the root's enumerates again:
  // what is still mounted keeps its node, what was unmounted goes.
  tree.Expand(nas, fs);
  EXPECT_TRUE(tree.Contains(backupShare));
  const NodeId srv = tree.FindChild(network, "srv");
  tesmora::testing::WriteBytes(temp.File("mounts"), "//srv/DATA " + share + " cifs rw 0 0\n");
  const ExpandOutcome again = tree.Expand(network, fs);
  EXPECT_FALSE(tree.Contains(nas));
  EXPECT_FALSE(tree.Contains(backupShare));
  EXPECT_EQ(again.change.removed, std::vector<NodeId>{nas});
  EXPECT_EQ(tree.Node(network).children, std::vector<NodeId>{srv});
  EXPECT_EQ(tree.NodePath(tree.FindChild(srv, "DATA")).path, share);
}

TEST_F(FolderTreeTest, HiddenFoldersAreNotShown) {
  for (const char* folder : {"/.config", "/.cargo/registry", "/Tests/.git", "/Tests/2024",
                             "/Only/.cache", "/Visible.d"}) {
    MakeFolder(home + folder);
  }
  tree.Fill(fs);
  const NodeId homeNode = Root("home");
  EXPECT_EQ(Texts(tree.Node(homeNode).children),
            (std::vector<std::string>{"Only", "Tests", "Visible.d"}));
  // A folder whose only subfolder is hidden shows no expand button.
  const NodeId only = tree.FindChild(homeNode, "Only");
  EXPECT_TRUE(tree.Node(only).children.empty());
  EXPECT_FALSE(tree.Node(only).hasChildren);
  const NodeId tests = tree.FindChild(homeNode, "Tests");
  tree.Expand(tests, fs);
  EXPECT_EQ(Texts(tree.Node(tests).children), std::vector<std::string>{"2024"});
  tree.Expand(homeNode, fs);
  EXPECT_EQ(tree.FindChild(homeNode, ".config"), kNoNode);
}

// home/Tests/2024/Jan loaded down to Jan, home/Tests/2023 and home/Other.
class LoadedTreeTest : public FolderTreeTest {
 protected:
  void SetUp() override {
    MakeFolder(home + "/Tests/2024/Jan");
    MakeFolder(home + "/Tests/2023");
    MakeFolder(home + "/Other");
    tree.Fill(fs);
    homeNode = Root("home");
    year = ExpandDown({"Tests", "2024"});
    tests = tree.Node(year).parent;
    jan = tree.FindChild(year, "Jan");
    ASSERT_NE(jan, kNoNode);
  }
  NodeId homeNode = kNoNode, tests = kNoNode, year = kNoNode, jan = kNoNode;
};

// Folding and unfolding a folder lists it again: the folders still there keep
// their nodes and what was loaded below them, so the current folder stays
// where it was, with its open-folder image.
TEST_F(LoadedTreeTest, ANewListingKeepsTheNodesOfTheFoldersStillThere) {
  const NodeId old = tree.FindChild(tests, "2023");
  tree.Select(jan);
  tree.MarkCurrentFolder(jan);

  MakeFolder(home + "/Tests/2025");
  std::filesystem::remove_all(home + "/Tests/2023");
  tree.Collapse(tests);
  const ExpandOutcome outcome = tree.Expand(tests, fs);
  EXPECT_TRUE(outcome.listed);
  EXPECT_EQ(Texts(tree.Node(tests).children), (std::vector<std::string>{"2024", "2025"}));
  EXPECT_EQ(tree.FindChild(tests, "2024"), year);
  EXPECT_EQ(tree.FindChild(year, "Jan"), jan);
  EXPECT_FALSE(tree.Contains(old));
  EXPECT_EQ(outcome.change.removed, std::vector<NodeId>{old});
  EXPECT_EQ(tree.Selected(), jan);
  EXPECT_EQ(tree.OpenFolder(), jan);
  EXPECT_EQ(tree.Node(jan).state, kNodeOpenFolder);
  EXPECT_TRUE(tree.Node(year).expanded);
  // A new folder is listed as any other: nothing inside, no button.
  EXPECT_FALSE(tree.Node(tree.FindChild(tests, "2025")).hasChildren);

  // Two levels up as well.
  tree.Expand(homeNode, fs);
  EXPECT_EQ(tree.FindChild(homeNode, "Tests"), tests);
  EXPECT_EQ(tree.Selected(), jan);
  EXPECT_EQ(tree.NodePath(jan).path, home + "/Tests/2024/Jan");
}

// The selected folder, once its node goes, hands over to the nearest node
// still there: its parent for a removed node, the folder listed again when
// it vanished from the disk.
TEST_F(LoadedTreeTest, ASelectedFolderThatGoesHandsOverToWhatHeldIt) {
  tree.Select(jan);
  const TreeChange removed = tree.Remove(jan);
  EXPECT_EQ(tree.Selected(), year);
  EXPECT_NE(std::find(removed.nodesChanged.begin(), removed.nodesChanged.end(), year),
            removed.nodesChanged.end());

  // Gone from the disk while selected, two levels below what is listed again.
  tree.Select(year);
  std::filesystem::remove_all(home + "/Tests");
  tree.Expand(homeNode, fs);
  EXPECT_EQ(tree.Selected(), homeNode);
  EXPECT_FALSE(tree.Contains(tests));

  // A folder that can no longer be listed keeps the selection of what it held.
  const NodeId other = tree.FindChild(homeNode, "Other");
  MakeFolder(home + "/Other/Inner");
  tree.Expand(other, fs);
  tree.Select(tree.FindChild(other, "Inner"));
  std::filesystem::remove_all(home + "/Other");
  EXPECT_FALSE(tree.Expand(other, fs).listed);
  EXPECT_EQ(tree.Selected(), other);
  // Listed again without it, home takes the selection back.
  MakeFolder(home + "/Third");
  MakeFolder(home + "/Fourth");
  tree.Expand(homeNode, fs);
  EXPECT_EQ(tree.Selected(), homeNode);
  // A node that is not the selected one leaves the selection alone.
  const NodeId third = tree.FindChild(homeNode, "Third");
  tree.Select(third);
  tree.Remove(tree.FindChild(homeNode, "Fourth"));
  EXPECT_EQ(tree.Selected(), third);
}

TEST_F(FolderTreeTest, AnUnreachableShareKeepsItsExpandButton) {
  tree.Fill(fs);
  tree.Expand(NetworkRoot(), fs);
  const NodeId data = tree.FindChild(tree.FindChild(NetworkRoot(), "srv"), "DATA");
  std::filesystem::remove_all(share);
  const ExpandOutcome outcome = tree.Expand(data, fs);
  EXPECT_FALSE(outcome.listed);
  EXPECT_TRUE(tree.Node(data).hasChildren);
  EXPECT_FALSE(tree.Node(data).expanded);
  // The network drive of the other share as well, as any folder.
  std::filesystem::remove_all(backup);
  EXPECT_FALSE(tree.Expand(Root("net-backup"), fs).listed);
  EXPECT_TRUE(tree.Node(Root("net-backup")).hasChildren);
}

TEST_F(FolderTreeTest, ANetworkDriveIsListedWithoutLookingDeeper) {
  MakeFolder(backup + "/Week1/Monday");
  tree.Fill(fs);
  const NodeId drive = Root("net-backup");
  EXPECT_TRUE(tree.Expand(drive, fs).listed);
  const NodeId week = tree.FindChild(drive, "Week1");
  EXPECT_TRUE(tree.Node(week).children.empty());
  EXPECT_TRUE(tree.Node(week).hasChildren);
  EXPECT_TRUE(tree.NodePath(week).networkDriveOnPath);
}

TEST_F(FolderTreeTest, TheOpenFolderImageMovesButNeverToARootServerOrShare) {
  MakeFolder(home + "/A");
  MakeFolder(home + "/B");
  tree.Fill(fs);
  const NodeId a = tree.FindChild(Root("home"), "A");
  const NodeId b = tree.FindChild(Root("home"), "B");
  tree.MarkCurrentFolder(a);
  EXPECT_EQ(tree.Node(a).state, kNodeOpenFolder);
  const TreeChange change = tree.MarkCurrentFolder(b);
  EXPECT_EQ(change.nodesChanged, (std::vector<NodeId>{a, b}));
  EXPECT_EQ(tree.Node(a).state, kNodeFolder);
  EXPECT_EQ(tree.Node(b).state, kNodeOpenFolder);
  tree.MarkCurrentFolder(Root("home"));
  EXPECT_EQ(tree.Node(b).state, kNodeFolder);
  EXPECT_EQ(tree.Node(Root("home")).state, kNodeFixedDrive);
  EXPECT_EQ(tree.OpenFolder(), kNoNode);
  tree.Expand(NetworkRoot(), fs);
  const NodeId srv = tree.FindChild(NetworkRoot(), "srv");
  tree.MarkCurrentFolder(srv);
  tree.MarkCurrentFolder(tree.FindChild(srv, "DATA"));
  EXPECT_EQ(tree.Node(srv).state, kNodeServer);
  EXPECT_EQ(tree.Node(tree.FindChild(srv, "DATA")).state, kNodeShare);
}

TEST_F(FolderTreeTest, DropsEditsAndDelKeyFollowTheNodeKind) {
  MakeFolder(home + "/A");
  tree.Fill(fs);
  tree.Expand(NetworkRoot(), fs);
  const NodeId srv = tree.FindChild(NetworkRoot(), "srv");
  const NodeId folder = tree.FindChild(Root("home"), "A");
  struct Case {
    NodeId id;
    bool drop, edit;
  };
  const Case cases[] = {
      {Root("home"), true, false},
      {Root("LAB STICK"), true, false},
      {Root("cdrom"), false, false},
      {Root("net-backup"), true, false},
      {NetworkRoot(), false, false},
      {srv, false, false},
      {tree.FindChild(srv, "DATA"), true, false},
      {folder, true, true},
      {kNoNode, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceptsDrop(tree, c.id), c.drop) << c.id;
    EXPECT_EQ(CanEditNode(tree, c.id), c.edit) << c.id;
    EXPECT_EQ(DeletableByKey(tree, c.id), c.edit) << c.id;
  }
  tree.MarkCurrentFolder(folder);
  EXPECT_TRUE(AcceptsDrop(tree, folder));  // the open folder too
  tree.SetEditing(folder, true);
  EXPECT_FALSE(DeletableByKey(tree, folder));  // Del edits the text
}

class RenameTest : public FolderTreeTest {
 protected:
  void SetUp() override {
    MakeFolder(home + "/Tests");
    MakeFile(home + "/Tests/03151022.103");
    MakeFolder(home + "/Other");
    tree.Fill(fs);
    tests = tree.FindChild(Root("home"), "Tests");
  }
  NodeId tests = kNoNode;
};

TEST_F(RenameTest, BadNamesAreRefusedAndTheFolderStays) {
  struct Case {
    std::string_view text;
    MessageId message;
  };
  const Case cases[] = {
      {"", msg::kEnterFolderName},
      {"a\\b", msg::kIncorrectCharacter},
      {"a/b", msg::kIncorrectCharacter},
      {"a:b", msg::kIncorrectCharacter},
      {"a*", msg::kIncorrectCharacter},
      {"a?", msg::kIncorrectCharacter},
      {"<a", msg::kIncorrectCharacter},
      {"a>", msg::kIncorrectCharacter},
      {"a|b", msg::kIncorrectCharacter},
      {".", msg::kIncorrectCharacter},
      {"..", msg::kIncorrectCharacter},
      // A folder of that name exists: it is never replaced.
      {"Other", msg::kCannotRename},
  };
  for (const Case& c : cases) {
    const RenameOutcome outcome = RenameFolderNode(tree, tests, c.text, fs, prompter, english);
    EXPECT_FALSE(outcome.renamed) << c.text;
    EXPECT_EQ(prompter.messages().back(), MessageUtf8(c.message, english)) << c.text;
    EXPECT_EQ(prompter.captions().back(), "Tesmora");
    EXPECT_EQ(prompter.icons().back(), PromptIcon::Error);
    EXPECT_EQ(tree.Node(tests).text, "Tests") << c.text;
    EXPECT_TRUE(Exists(home + "/Tests/03151022.103")) << c.text;
  }
  EXPECT_TRUE(Exists(home + "/Other"));
}

TEST_F(RenameTest, ARenameMovesTheFolderAndKeepsItsNode) {
  tree.MarkCurrentFolder(tests);
  tree.Select(tests);
  const RenameOutcome outcome = RenameFolderNode(tree, tests, "Essais", fs, prompter, english);
  EXPECT_TRUE(outcome.renamed);
  EXPECT_EQ(tree.Selected(), tests);
  EXPECT_EQ(tree.OpenFolder(), tests);
  EXPECT_TRUE(prompter.messages().empty());
  EXPECT_TRUE(Exists(home + "/Essais/03151022.103"));
  EXPECT_FALSE(Exists(home + "/Tests"));
  EXPECT_EQ(tree.NodePath(tests).path, home + "/Essais");
  // Sorted again among its siblings.
  EXPECT_EQ(Texts(tree.Node(Root("home")).children), (std::vector<std::string>{"Essais", "Other"}));
  // The same name again: nothing to do, nothing said.
  EXPECT_FALSE(RenameFolderNode(tree, tests, "Essais", fs, prompter, english).renamed);
  EXPECT_TRUE(prompter.messages().empty());
  // A root's label is not a folder's name.
  EXPECT_FALSE(RenameFolderNode(tree, Root("home"), "x", fs, prompter, english).renamed);
  EXPECT_TRUE(Exists(home));
}

// Only a text the user typed renames: an abandoned edit, or one that ends on
// the text shown, asks for nothing, also when the shown text stands for bytes
// that are no UTF-8.
TEST(RenameRequest, OnlyATypedChangeAsksForANewName) {
  const std::string shownLatin1 = "Lab\xEF\xBF\xBD";  // "Lab\xE9" as it shows
  struct Case {
    std::string_view shown, typed;
    bool abandoned;
    std::optional<std::string> request;
  };
  const Case cases[] = {
      {"Tests", "Tests", false, std::nullopt},
      {"Tests", "Essais", true, std::nullopt},
      {"Tests", "Essais", false, "Essais"},
      {shownLatin1, shownLatin1, false, std::nullopt},
      {shownLatin1, "Lab 2", true, std::nullopt},
      {shownLatin1, "Lab 2", false, "Lab 2"},
      {"Tests", "", false, ""},  // the empty text is refused with its message
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RenameRequest(c.shown, c.typed, c.abandoned), c.request) << c.typed;
  }
}

}  // namespace
}  // namespace tesmora::explorer
