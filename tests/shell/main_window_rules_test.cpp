#include "shell/main_window_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/message_table.h"

namespace tesmora {
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
    const FileMenuEnabling menu = FileMenuRules(PaneFocus::FolderTree, c.state, 3, pcNames);
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
    const FileMenuEnabling menu =
        FileMenuRules(c.focus, kNodeFolder, c.recorderSelected, c.pcSelected);
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
        EditMenuRules(c.focus, c.state, c.clipboard, c.recorderSelected, c.pcSelected);
    EXPECT_EQ(menu.Copier1, c.copy) << c.what;
    EXPECT_EQ(menu.Coller1, c.paste) << c.what;
  }
}

TEST(TreePopupHit, NeedsANodeThatAcceptsChanges) {
  EXPECT_FALSE(TreePopupHit(false, kNodeFolder));
  for (int state : {kNodeFixedDrive, kNodeRemovable, kNodeFolder, kNodeOpenFolder, kNodeShare,
                    kNodeNetworkDrive}) {
    EXPECT_TRUE(TreePopupHit(true, state)) << "state " << state;
  }
  for (int state : {kNodeNone, kNodeCdRom, kNodeNetworkRoot, kNodeServer}) {
    EXPECT_FALSE(TreePopupHit(true, state)) << "state " << state;
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
    const PopupMenuState popup = PopupMenuRules(c.focus, c.hit, c.state, c.clipboard, std::nullopt);
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
      {"a.5xx", true},  // only the extension's first character counts
      {"1ab", true},    // the shortest name that has that character
      {"12", false},
      {"6", false},
      {"", false},
  };
  for (PaneFocus focus :
       {PaneFocus::PcList, PaneFocus::RecorderList, PaneFocus::FolderTree, PaneFocus::Other}) {
    for (const Case& c : cases) {
      const PopupMenuState popup =
          PopupMenuRules(focus, true, kNodeFolder, kClipboardNone, std::string(c.name));
      ASSERT_TRUE(popup.printAndExportEnabled.has_value()) << c.name;
      EXPECT_EQ(*popup.printAndExportEnabled, c.enabled)
          << '"' << c.name << "\" focus " << static_cast<int>(focus);
    }
  }
}

TEST(ScreenScale, DesignScreenKeepsEveryDesignGeometry) {
  const ScreenScale scale = ScaleForScreen(1024, 768);
  EXPECT_EQ(scale.sx, 1.0F);
  EXPECT_EQ(scale.sy, 1.0F);
  // The main window's controls as designed.
  const Geometry designs[] = {
      {0, 0, 1020, 26},  {0, 8, 425, 657},     {128, 8, 141, 29},   {16, 5, 425, 33},
      {8, 81, 425, 617}, {8, 101, 425, 38},    {464, 8, 545, 657},  {208, 5, 169, 29},
      {0, 3, 545, 33},   {464, 188, 305, 617}, {791, 88, 225, 617},
  };
  for (const Geometry& design : designs) {
    const Geometry scaled = ScaleGeometry(design, scale);
    EXPECT_EQ(scaled.left, design.left);
    EXPECT_EQ(scaled.top, design.top);
    EXPECT_EQ(scaled.width, design.width);
    EXPECT_EQ(scaled.height, design.height);
  }
  EXPECT_EQ(StatusPanelWidths(scale), kStatusPanelDesignWidths);
}

TEST(ScreenScale, LargerScreenTruncatesEachScaledValue) {
  // The recorder pane on 1280 x 1024: 425 x 1.25 = 531.25, 8 x 4/3 = 10.67.
  const Geometry pane = ScaleGeometry({0, 8, 425, 657}, ScaleForScreen(1280, 1024));
  EXPECT_EQ(pane.left, 0);
  EXPECT_EQ(pane.top, 10);
  EXPECT_EQ(pane.width, 531);
  EXPECT_EQ(pane.height, 876);
  // Horizontal values follow the width only, vertical ones the height only.
  const Geometry list = ScaleGeometry({791, 88, 225, 617}, ScaleForScreen(800, 1024));
  EXPECT_EQ(list.left, 617);    // 791 x 0.78125 = 617.97
  EXPECT_EQ(list.top, 117);     // 88 x 4/3 = 117.33
  EXPECT_EQ(list.width, 175);   // 225 x 0.78125 = 175.78
  EXPECT_EQ(list.height, 822);  // 617 x 4/3 = 822.67
}

TEST(ScreenScale, FactorsAreSinglePrecision) {
  // On 800 lines the factor held in double lies just below 25 / 24, and 24
  // times it would truncate to 24; rounded to single precision it lies above.
  const ScreenScale scale = ScaleForScreen(1280, 800);
  EXPECT_EQ(ScaleGeometry({0, 24, 0, 48}, scale).top, 25);
  EXPECT_EQ(ScaleGeometry({0, 24, 0, 48}, scale).height, 50);
}

TEST(StatusPanelWidths, FirstFourScaleHorizontallyTheLastKeepsFifty) {
  struct Case {
    int width;
    int height;
    std::array<int, kStatusPanelCount> widths;
  };
  const Case cases[] = {
      {1280, 1024, {187, 100, 187, 193, 50}},
      {800, 600, {117, 62, 117, 121, 50}},
      {1920, 1080, {281, 150, 281, 290, 50}},
      {1024, 2000, {150, 80, 150, 155, 50}},  // the height plays no part
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusPanelWidths(ScaleForScreen(c.width, c.height)), c.widths)
        << c.width << " x " << c.height;
  }
}

TEST(ExportModePanelText, ShowsTheModeInTheCurrentLanguageOnlyWhileOn) {
  EXPECT_EQ(ExportModePanelText(true, 1), "Export data mode");
  EXPECT_EQ(ExportModePanelText(true, 0), "Exportation mode data");
  EXPECT_EQ(ExportModePanelText(true, 2), "Modo exportación de datos");
  for (int language = 0; language < kLanguageCount; ++language) {
    EXPECT_EQ(ExportModePanelText(false, language), "") << "language " << language;
  }
}

TEST(DisplayAllFilesPassword, OnlyTheExactTextIsAccepted) {
  EXPECT_TRUE(IsDisplayAllFilesPassword("7859"));
  for (const char* wrong : {"7859 ", " 7859", "", "785", "78590", "7858", "7859\n"}) {
    EXPECT_FALSE(IsDisplayAllFilesPassword(wrong)) << '"' << wrong << '"';
  }
  // A zero byte after the password does not end the comparison.
  EXPECT_FALSE(IsDisplayAllFilesPassword(std::string_view("7859\0", 5)));
}

}  // namespace
}  // namespace tesmora
