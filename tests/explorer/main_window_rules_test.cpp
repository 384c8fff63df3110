// The main window's menu rules, fed with the facts the PC pane gathers from
// the tree's node states and the PC list's names.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/node_state.h"
#include "explorer/pc_selection.h"
#include "records/test_names.h"
#include "shell/main_window_rules.h"

namespace tesmora::explorer {
namespace {

TEST(FileMenuRules, TreeFocusFollowsTheSelectedNodeState) {
  struct Case {
    int state;
    bool newFolder;
    bool deleteItem;
  };
  const Case cases[] = {
      {kNodeCdRom, false, false},      {kNodeNetworkRoot, false, false},
      {kNodeServer, false, false},     {kNodeFixedDrive, true, false},
      {kNodeRemovable, true, false},   {kNodeShare, true, false},
      {kNodeFolder, true, true},       {kNodeOpenFolder, true, true},
      {kNodeNetworkDrive, true, true}, {kNodeNone, false, false},
  };
  // Selections in the lists must not leak into the tree's rules.
  const std::vector<std::string> pcNames{"03151234.312"};
  for (const Case& c : cases) {
    const FileMenuEnabling menu =
        FileMenuRules(PaneFocus::FolderTree, FactsOfNode(c.state), 3, FactsOfPcSelection(pcNames));
    EXPECT_EQ(menu.NewRep, c.newFolder) << "state " << c.state;
    EXPECT_EQ(menu.Supprimer1, c.deleteItem) << "state " << c.state;
    EXPECT_FALSE(menu.ExportManuelle) << "state " << c.state;
  }
}

TEST(FileMenuRules, ListsEnableDeleteAndExportOnlyWhenFocusedWithASelection) {
  struct Case {
    const char* what;
    PaneFocus focus;
    int recorderSelected;
    std::vector<std::string> pcSelected;
    bool deleteItem;
    bool exportItem;
  };
  const Case cases[] = {
      {"recorder, nothing selected", PaneFocus::RecorderList, 0, {}, false, false},
      {"recorder, two selected", PaneFocus::RecorderList, 2, {"03151234.312"}, true, false},
      {"PC list, nothing selected", PaneFocus::PcList, 4, {}, false, false},
      {"PC list, one test file", PaneFocus::PcList, 0, {"03151234.312"}, true, true},
      {"PC list, signed numbers",
       PaneFocus::PcList,
       0,
       {"01011111.111", "abcdefgh.-12"},
       true,
       true},
      {"PC list, second not numeric",
       PaneFocus::PcList,
       0,
       {"03151234.312", "readme.txt"},
       true,
       false},
      {"PC list, first not numeric",
       PaneFocus::PcList,
       0,
       {"readme.txt", "03151234.312"},
       true,
       false},
      {"PC list, a short name", PaneFocus::PcList, 0, {"a.1"}, true, false},
      {"nothing focused", PaneFocus::Other, 2, {"03151234.312"}, false, false},
  };
  for (const Case& c : cases) {
    const FileMenuEnabling menu = FileMenuRules(
        c.focus, FactsOfNode(kNodeFolder), c.recorderSelected, FactsOfPcSelection(c.pcSelected));
    EXPECT_FALSE(menu.NewRep) << c.what;
    EXPECT_EQ(menu.Supprimer1, c.deleteItem) << c.what;
    EXPECT_EQ(menu.ExportManuelle, c.exportItem) << c.what;
  }
}

TEST(EditMenuRules, PasteIntoTheTreeCopyFromAFocusedList) {
  struct Case {
    const char* what;
    PaneFocus focus;
    int state;
    int clipboard;
    int recorderSelected;
    int pcSelected;
    bool copy;
    bool paste;
  };
  const Case cases[] = {
      {"tree, PC files copied, folder", PaneFocus::FolderTree, kNodeFolder, kClipboardPc, 1, 1,
       false, true},
      {"tree, recorder files, drive", PaneFocus::FolderTree, kNodeFixedDrive, kClipboardRecorder, 0,
       0, false, true},
      {"tree, network drive", PaneFocus::FolderTree, kNodeNetworkDrive, kClipboardPc, 0, 0, false,
       true},
      {"tree, nothing copied", PaneFocus::FolderTree, kNodeFolder, kClipboardNone, 1, 1, false,
       false},
      {"tree, CD-ROM", PaneFocus::FolderTree, kNodeCdRom, kClipboardPc, 0, 0, false, false},
      {"tree, network root", PaneFocus::FolderTree, kNodeNetworkRoot, kClipboardPc, 0, 0, false,
       false},
      {"tree, server", PaneFocus::FolderTree, kNodeServer, kClipboardRecorder, 0, 0, false, false},
      {"tree, no node", PaneFocus::FolderTree, kNodeNone, kClipboardPc, 0, 0, false, false},
      {"recorder with selection", PaneFocus::RecorderList, kNodeFolder, kClipboardPc, 1, 0, true,
       false},
      {"recorder without selection", PaneFocus::RecorderList, kNodeFolder, kClipboardPc, 0, 5,
       false, false},
      {"PC list with selection", PaneFocus::PcList, kNodeFolder, kClipboardPc, 0, 2, true, false},
      {"PC list without selection", PaneFocus::PcList, kNodeFolder, kClipboardPc, 3, 0, false,
       false},
      {"nothing focused", PaneFocus::Other, kNodeFolder, kClipboardPc, 1, 1, false, false},
  };
  for (const Case& c : cases) {
    const EditMenuEnabling menu =
        EditMenuRules(c.focus, FactsOfNode(c.state), c.clipboard, c.recorderSelected, c.pcSelected);
    EXPECT_EQ(menu.Copier1, c.copy) << c.what;
    EXPECT_EQ(menu.Coller1, c.paste) << c.what;
  }
}

TEST(TreePopupHit, NeedsANodeThatAcceptsChanges) {
  EXPECT_FALSE(TreePopupHit(false, FactsOfNode(kNodeFolder)));
  for (int state : {kNodeFixedDrive, kNodeRemovable, kNodeFolder, kNodeOpenFolder, kNodeShare,
                    kNodeNetworkDrive}) {
    EXPECT_TRUE(TreePopupHit(true, FactsOfNode(state))) << "state " << state;
  }
  for (int state : {kNodeNone, kNodeCdRom, kNodeNetworkRoot, kNodeServer}) {
    EXPECT_FALSE(TreePopupHit(true, FactsOfNode(state))) << "state " << state;
  }
}

// Visible popup items written in menu order, one letter each: C Copy, P Paste,
// D Delete, V Print preview, I Print, E Export; '.' for a hidden item.
std::array<bool, kPopupItemCount> VisibleItems(std::string_view letters) {
  std::array<bool, kPopupItemCount> visible{};
  for (std::size_t i = 0; i < visible.size() && i < letters.size(); ++i) {
    visible[i] = letters[i] != '.';
  }
  return visible;
}

TEST(PopupMenuRules, VisibleItemsFollowFocusAndHit) {
  struct Case {
    const char* what;
    PaneFocus focus;
    bool hit;
    int state;
    int clipboard;
    const char* visible;
  };
  const Case cases[] = {
      {"tree hit, folder, PC files copied", PaneFocus::FolderTree, true, kNodeFolder, kClipboardPc,
       ".PD..."},
      {"tree hit, open folder, nothing copied", PaneFocus::FolderTree, true, kNodeOpenFolder,
       kClipboardNone, "..D..."},
      {"tree hit, fixed drive", PaneFocus::FolderTree, true, kNodeFixedDrive, kClipboardRecorder,
       ".P...."},
      {"tree hit, removable drive", PaneFocus::FolderTree, true, kNodeRemovable, kClipboardNone,
       "......"},
      {"tree hit, share", PaneFocus::FolderTree, true, kNodeShare, kClipboardPc, ".P...."},
      {"tree hit, network drive", PaneFocus::FolderTree, true, kNodeNetworkDrive, kClipboardNone,
       "..D..."},
      {"tree without hit", PaneFocus::FolderTree, false, kNodeFolder, kClipboardPc, "......"},
      {"recorder item hit", PaneFocus::RecorderList, true, kNodeFolder, kClipboardPc, "C.D..."},
      {"recorder empty space, PC files copied", PaneFocus::RecorderList, false, kNodeFolder,
       kClipboardPc, ".P...."},
      {"recorder empty space, recorder files copied", PaneFocus::RecorderList, false, kNodeFolder,
       kClipboardRecorder, "......"},
      {"recorder empty space, nothing copied", PaneFocus::RecorderList, false, kNodeFolder,
       kClipboardNone, "......"},
      {"PC item hit", PaneFocus::PcList, true, kNodeCdRom, kClipboardNone, "C.DVIE"},
      {"PC empty space, recorder files copied", PaneFocus::PcList, false, kNodeFolder,
       kClipboardRecorder, ".P...."},
      {"PC empty space, PC files copied", PaneFocus::PcList, false, kNodeFolder, kClipboardPc,
       ".P...."},
      {"PC empty space, nothing copied", PaneFocus::PcList, false, kNodeFolder, kClipboardNone,
       "......"},
      {"nothing focused", PaneFocus::Other, true, kNodeFolder, kClipboardPc, "......"},
  };
  for (const Case& c : cases) {
    const PopupMenuState popup =
        PopupMenuRules(c.focus, c.hit, FactsOfNode(c.state), c.clipboard, PcSelectionFacts{});
    EXPECT_EQ(popup.visible, VisibleItems(c.visible)) << c.what;
    EXPECT_FALSE(popup.printAndExportEnabled.has_value()) << c.what;
  }
}

TEST(PopupMenuRules, FirstSelectedPcNameDecidesPrintAndExportWhateverTheFocus) {
  struct Case {
    const char* name;
    bool enabled;
  };
  const Case cases[] = {
      {"03151234.212", true},
      {"03151234.112", true},
      {"03151234.612", true},
      {"03151234.712", false},
      {"03151234.012", false},
      {"readme.txt", false},
      {"03151234.5", true},
      {"03151234.5xx.bak", true},  // the tenth character counts, not the last dot's
      // A copy keeps the test's extension but moves its tenth character: the
      // loader would refuse it, so the menu does not offer it.
      {"03021001 copy.126", false},
      {"a.5xx", false},
      {"1ab", false},
      {"12", false},
      {"6", false},
      {"", false},
  };
  for (PaneFocus focus :
       {PaneFocus::PcList, PaneFocus::RecorderList, PaneFocus::FolderTree, PaneFocus::Other}) {
    for (const Case& c : cases) {
      const PopupMenuState popup = PopupMenuRules(focus, true, FactsOfNode(kNodeFolder),
                                                  kClipboardNone, FactsOfPcSelection({c.name}));
      ASSERT_TRUE(popup.printAndExportEnabled.has_value()) << c.name;
      EXPECT_EQ(*popup.printAndExportEnabled, c.enabled)
          << '"' << c.name << "\" focus " << static_cast<int>(focus);
      // The sheet loader asks the same question of the same name.
      EXPECT_EQ(*popup.printAndExportEnabled, TestKindOf(c.name) != nullptr) << c.name;
    }
  }
}

}  // namespace
}  // namespace tesmora::explorer
