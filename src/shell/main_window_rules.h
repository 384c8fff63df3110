#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules of the main window that need no window: which menu items are
// enabled or visible, the status-bar texts, the scaling to the screen and the
// display-all-files password. The window gathers its state, calls these and
// applies the result.
namespace tesmora {

// Which of the three controls of the main window has the keyboard focus.
enum class PaneFocus { Other, FolderTree, RecorderList, PcList };

// What the Copy command last recorded.
enum ClipboardSourceKind : int { kClipboardNone = 0, kClipboardPc = 1, kClipboardRecorder = 2 };

// What the menus need to know of the folder tree's selected node. The PC
// pane gathers these (explorer/node_state.h); the rules ask nothing else of
// the tree.
struct SelectedNodeFacts {
  bool present = false;           // the tree has a selected node
  bool acceptsNewFolder = false;  // a folder may be created under it
  bool deletable = false;         // it is a folder that may be deleted
  bool acceptsPaste = false;      // files may be pasted or dropped into it
};

// What the menus need to know of the PC list's selection.
struct PcSelectionFacts {
  int count = 0;
  // Every selected name reads as a test (characters 10 to 12 as an integer).
  bool allReadAsTests = false;
  // The first selected name is a test file with a sheet: its kind digit, the
  // 10th character, is a kind '1' to '6' (TestKindOf, as the loader reads it).
  bool firstIsTestFile = false;
};

// File menu (runs each time it opens, and on Ctrl+F).
struct FileMenuEnabling {
  bool NewRep = false;
  bool Supprimer1 = false;
  bool ExportManuelle = false;
};
FileMenuEnabling FileMenuRules(PaneFocus focus, const SelectedNodeFacts& node,
                               int recorderSelectedCount, const PcSelectionFacts& pc);

// Edit menu (runs each time it opens, and before Ctrl+C and Ctrl+V).
struct EditMenuEnabling {
  bool Copier1 = false;
  bool Coller1 = false;
};
EditMenuEnabling EditMenuRules(PaneFocus focus, const SelectedNodeFacts& node, int clipboardSource,
                               int recorderSelectedCount, int pcSelectedCount);

// A right click in the tree: whether it counts as a hit on a node.
bool TreePopupHit(bool nodeUnderMouse, const SelectedNodeFacts& node);

// The popup menu, items in order Copier, Coller, Supprimer, Graphique,
// Impression1, Exporter1.
inline constexpr int kPopupItemCount = 6;
struct PopupMenuState {
  std::array<bool, kPopupItemCount> visible{};
  // Print preview, Print and Export: enabled or not when the PC list has a
  // selection; nothing when their enabled state is to be left as it was.
  std::optional<bool> printAndExportEnabled;
};
PopupMenuState PopupMenuRules(PaneFocus focus, bool popupHit, const SelectedNodeFacts& node,
                              int clipboardSource, const PcSelectionFacts& pc);

// Scaling to the screen: the window was designed for 1024 x 768. The factors
// are kept in single precision, as the design values are multiplied by them.
struct ScreenScale {
  float sx = 1.0F;
  float sy = 1.0F;
};
ScreenScale ScaleForScreen(int screenWidth, int screenHeight);

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
// Every value truncated toward zero from design value x factor.
Geometry ScaleGeometry(const Geometry& design, const ScreenScale& scale);

inline constexpr int kStatusPanelCount = 5;
inline constexpr std::array<int, kStatusPanelCount> kStatusPanelDesignWidths{150, 80, 150, 155, 50};
// Panels 0 to 3 scale horizontally; panel 4 keeps its 50.
std::array<int, kStatusPanelCount> StatusPanelWidths(const ScreenScale& scale);

// Status texts, UTF-8 for the screen.
// Panel 2: "Export data mode" while the mode is on, empty otherwise.
std::string ExportModePanelText(bool exportDataMode, int languageIndex);

// The display-all-files password, compared exactly.
inline constexpr std::string_view kDisplayAllFilesPassword = "7859";
bool IsDisplayAllFilesPassword(std::string_view typed);

}  // namespace tesmora
