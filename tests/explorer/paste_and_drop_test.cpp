// What a paste and a drop accept and do, from the facts the window gathers;
// and the display-all-files mode of the application's state, switched by the
// menu's click and read by the PC list and the drop rules.
#include "explorer/paste_and_drop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "explorer/pc_list.h"
#include "explorer_fixture.h"
#include "shell/application_state.h"

namespace tesmora::explorer {
namespace {

using testing::ExplorerFixture;

TEST(PasteTransfer, FollowsTheFocusTheClipboardAndTheTargetFolder) {
  struct Case {
    PaneFocus focus;
    int clipboard;
    std::string folder;
    FileTransfer transfer;
  };
  const Case cases[] = {
      // Only PC files go onto the recorder, whatever the tree's folder.
      {PaneFocus::RecorderList, kClipboardPc, "", FileTransfer::SendToRecorder},
      {PaneFocus::RecorderList, kClipboardRecorder, "/lab/", FileTransfer::None},
      {PaneFocus::RecorderList, kClipboardNone, "/lab/", FileTransfer::None},
      // Into the tree's selected folder, from the tree or the PC list.
      {PaneFocus::FolderTree, kClipboardRecorder, "/lab/", FileTransfer::ReceiveFromRecorder},
      {PaneFocus::FolderTree, kClipboardPc, "/lab/", FileTransfer::CopyOnPc},
      {PaneFocus::PcList, kClipboardRecorder, "/lab/", FileTransfer::ReceiveFromRecorder},
      {PaneFocus::PcList, kClipboardPc, "/lab/", FileTransfer::CopyOnPc},
      {PaneFocus::PcList, kClipboardNone, "/lab/", FileTransfer::None},
      // A node without a folder (the network root, a server) takes nothing.
      {PaneFocus::FolderTree, kClipboardPc, "", FileTransfer::None},
      {PaneFocus::PcList, kClipboardRecorder, "", FileTransfer::None},
      {PaneFocus::Other, kClipboardPc, "/lab/", FileTransfer::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << static_cast<int>(c.focus) << " " << c.clipboard << " '" << c.folder << "'");
    EXPECT_EQ(PasteTransfer(c.focus, c.clipboard, c.folder), c.transfer);
  }
}

TEST(DecideDrop, EachPlaceTakesItsSourcesIntoItsFolder) {
  struct Case {
    DropPlace place;
    DragSource source;
    bool acceptsCommands;
    std::string nodeFolder;
    std::string shownFolder;
    FileTransfer transfer;
  };
  using P = DropPlace;
  using S = DragSource;
  using T = FileTransfer;
  const Case cases[] = {
      // The tree: PC rows move, recorder rows and desktop files are copied.
      {P::FolderTree, S::PcList, true, "/lab/a/", "/lab/", T::MoveOnPc},
      {P::FolderTree, S::RecorderList, true, "/lab/a/", "/lab/", T::ReceiveFromRecorder},
      {P::FolderTree, S::Desktop, true, "/lab/a/", "", T::CopyOnPc},
      {P::FolderTree, S::Other, true, "/lab/a/", "/lab/", T::None},
      {P::FolderTree, S::PcList, true, "", "/lab/", T::None},
      {P::FolderTree, S::RecorderList, false, "/lab/a/", "/lab/", T::None},
      // The PC list: recorder rows and desktop files, into the folder shown.
      {P::PcList, S::RecorderList, true, "", "/lab/", T::ReceiveFromRecorder},
      {P::PcList, S::Desktop, true, "", "/lab/", T::CopyOnPc},
      {P::PcList, S::PcList, true, "", "/lab/", T::None},
      {P::PcList, S::Other, true, "", "/lab/", T::None},
      {P::PcList, S::RecorderList, true, "/lab/a/", "", T::None},
      {P::PcList, S::Desktop, false, "", "/lab/", T::None},
      // The recorder list takes no recorder rows nor foreign drags.
      {P::RecorderList, S::RecorderList, true, "", "/lab/", T::None},
      {P::RecorderList, S::Other, true, "", "/lab/", T::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << static_cast<int>(c.place) << " " << static_cast<int>(c.source) << " "
                 << c.acceptsCommands << " '" << c.nodeFolder << "' '" << c.shownFolder << "'");
    DropFacts facts;
    facts.place = c.place;
    facts.source = c.source;
    facts.acceptsCommands = c.acceptsCommands;
    facts.nodeFolder = c.nodeFolder;
    facts.shownFolder = c.shownFolder;
    facts.pcSelection = {"03151234.312"};
    EXPECT_EQ(DecideDrop(facts).transfer, c.transfer);
  }
}

TEST(DecideDrop, RecorderListTakesRecorderNamesUnlessAllFilesAreShown) {
  struct Case {
    const char* label;
    DragSource source;
    std::string shownFolder;
    std::vector<std::string> selection;
    std::map<std::string, std::vector<std::string>> desktop;
    bool allFiles;
    bool accepted;
    std::string sendFolder;
    std::vector<std::string> sendNames;
  };
  const Case cases[] = {
      {"SelectedTests",
       DragSource::PcList,
       "/lab/",
       {"03151234.312", "01011111.111"},
       {},
       false,
       true,
       "/lab/",
       {"03151234.312", "01011111.111"}},
      {"OneNameNotATest",
       DragSource::PcList,
       "/lab/",
       {"03151234.312", "readme.txt"},
       {},
       false,
       false,
       "",
       {}},
      {"AnyNameWithAllFiles",
       DragSource::PcList,
       "/lab/",
       {"readme.txt"},
       {},
       true,
       true,
       "/lab/",
       {"readme.txt"}},
      {"NothingSelected", DragSource::PcList, "/lab/", {}, {}, true, false, "", {}},
      {"NoFolderShown", DragSource::PcList, "", {"03151234.312"}, {}, false, false, "", {}},
      // From the desktop every folder's files must qualify; the first
      // folder's go, one batch at a time.
      {"DesktopTwoFolders",
       DragSource::Desktop,
       "/lab/",
       {"readme.txt"},
       {{"/a/", {"03151234.312"}}, {"/b/", {"01011111.111"}}},
       false,
       true,
       "/a/",
       {"03151234.312"}},
      {"DesktopOneFolderNotTests",
       DragSource::Desktop,
       "",
       {},
       {{"/a/", {"03151234.312"}}, {"/b/", {"notes.txt"}}},
       false,
       false,
       "",
       {}},
      {"DesktopWithoutLocalFiles", DragSource::Desktop, "/lab/", {}, {}, true, false, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    DropFacts facts;
    facts.place = DropPlace::RecorderList;
    facts.source = c.source;
    facts.acceptsCommands = true;
    facts.shownFolder = c.shownFolder;
    facts.pcSelection = c.selection;
    facts.desktopFiles = c.desktop;
    facts.allFilesMode = c.allFiles;
    const DropDecision decision = DecideDrop(facts);
    EXPECT_EQ(decision.transfer, c.accepted ? FileTransfer::SendToRecorder : FileTransfer::None);
    EXPECT_EQ(decision.sendFolder, c.sendFolder);
    EXPECT_EQ(decision.sendNames, c.sendNames);
    // No batch under way is the first condition.
    facts.acceptsCommands = false;
    EXPECT_EQ(DecideDrop(facts).transfer, FileTransfer::None);
  }
}

TEST(AllFilesMode, OnlyTheRightPasswordSwitchesItOnAndAnyClickSwitchesItOff) {
  struct Case {
    bool on;
    std::optional<std::string> typed;
    AllFilesSwitch outcome;
    bool after;
  };
  const Case cases[] = {
      {false, std::nullopt, AllFilesSwitch::Unchanged, false},  // dialog cancelled
      {false, "1234", AllFilesSwitch::AccessDenied, false},
      {false, "7859 ", AllFilesSwitch::AccessDenied, false},
      {false, "", AllFilesSwitch::AccessDenied, false},
      {false, "7859", AllFilesSwitch::On, true},
      {true, std::nullopt, AllFilesSwitch::Off, false},
      {true, "7859", AllFilesSwitch::Off, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.on << " '" << c.typed.value_or("(none)") << "'");
    ApplicationState state;
    state.allFilesMode = c.on;
    EXPECT_EQ(NeedsAllFilesPassword(state), !c.on);
    EXPECT_EQ(SwitchAllFilesMode(state, c.typed), c.outcome);
    EXPECT_EQ(state.allFilesMode, c.after);
  }
}

// The state's value, switched as the menu does, is what the PC list's fill
// and the drop on the recorder list read.
class AllFilesModeReaders : public ExplorerFixture {
 protected:
  void SetUp() override {
    MakeFolder(home + "/Tests");
    MakeFile(home + "/Tests/03151234.312");
    MakeFile(home + "/Tests/readme.txt");
    tree.Fill(fs);
    tests = tree.FindChild(tree.FindChild(kNoNode, "home"), "Tests");
  }
  std::vector<std::string> Listed() {
    list.Fill(tree, tests, fs, state.allFilesMode);
    std::vector<std::string> names;
    for (const PcListRow& row : list.rows()) names.push_back(row.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  bool RecorderListTakes(const std::string& name) const {
    DropFacts facts;
    facts.place = DropPlace::RecorderList;
    facts.source = DragSource::PcList;
    facts.acceptsCommands = true;
    facts.shownFolder = home + "/Tests/";
    facts.pcSelection = {name};
    facts.allFilesMode = state.allFilesMode;
    return DecideDrop(facts).transfer == FileTransfer::SendToRecorder;
  }
  ApplicationState state;
  FolderTree tree;
  PcList list;
  NodeId tests = kNoNode;
};

TEST_F(AllFilesModeReaders, ListAndDropFollowTheSwitch) {
  EXPECT_EQ(Listed(), std::vector<std::string>{"03151234.312"});
  EXPECT_FALSE(RecorderListTakes("readme.txt"));

  ASSERT_EQ(SwitchAllFilesMode(state, std::string("0000")), AllFilesSwitch::AccessDenied);
  EXPECT_EQ(Listed(), std::vector<std::string>{"03151234.312"});
  EXPECT_FALSE(RecorderListTakes("readme.txt"));

  ASSERT_EQ(SwitchAllFilesMode(state, std::string("7859")), AllFilesSwitch::On);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"03151234.312", "readme.txt"}));
  EXPECT_TRUE(RecorderListTakes("readme.txt"));

  ASSERT_EQ(SwitchAllFilesMode(state, std::nullopt), AllFilesSwitch::Off);
  EXPECT_EQ(Listed(), std::vector<std::string>{"03151234.312"});
  EXPECT_FALSE(RecorderListTakes("readme.txt"));
  EXPECT_TRUE(RecorderListTakes("03151234.312"));
}

}  // namespace
}  // namespace tesmora::explorer
