#include "shell/main_window_rules.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "shell/message_table.h"

namespace tesmora {
namespace {}  // namespace

FileMenuEnabling FileMenuRules(PaneFocus focus, const SelectedNodeFacts& node,
                               int recorderSelectedCount, const PcSelectionFacts& pc) {
  FileMenuEnabling menu;
  switch (focus) {
    case PaneFocus::FolderTree:
      menu.NewRep = node.acceptsNewFolder;
      menu.Supprimer1 = node.deletable;
      break;
    case PaneFocus::RecorderList:
      menu.Supprimer1 = recorderSelectedCount > 0;
      break;
    case PaneFocus::PcList:
      menu.Supprimer1 = pc.count > 0;
      menu.ExportManuelle = menu.Supprimer1 && pc.allReadAsTests;
      break;
    case PaneFocus::Other:
      break;
  }
  return menu;
}

EditMenuEnabling EditMenuRules(PaneFocus focus, const SelectedNodeFacts& node, int clipboardSource,
                               int recorderSelectedCount, int pcSelectedCount) {
  EditMenuEnabling menu;
  switch (focus) {
    case PaneFocus::FolderTree:
      menu.Coller1 = clipboardSource != kClipboardNone && node.acceptsPaste;
      break;
    case PaneFocus::RecorderList:
      menu.Copier1 = recorderSelectedCount > 0;
      break;
    case PaneFocus::PcList:
      menu.Copier1 = pcSelectedCount > 0;
      break;
    case PaneFocus::Other:
      break;
  }
  return menu;
}

bool TreePopupHit(bool nodeUnderMouse, const SelectedNodeFacts& node) {
  return nodeUnderMouse && node.acceptsNewFolder;
}

PopupMenuState PopupMenuRules(PaneFocus focus, bool popupHit, const SelectedNodeFacts& node,
                              int clipboardSource, const PcSelectionFacts& pc) {
  enum Item { kCopy, kPaste, kDelete, kPreview, kPrint, kExport };
  PopupMenuState popup;
  auto& visible = popup.visible;
  const bool anythingCopied = clipboardSource != kClipboardNone;
  switch (focus) {
    case PaneFocus::FolderTree:
      if (popupHit) {
        visible[kDelete] = node.deletable;
        visible[kPaste] = anythingCopied;
      }
      break;
    case PaneFocus::RecorderList:
      if (popupHit) {
        visible[kCopy] = visible[kDelete] = true;
      } else {
        // Only PC files can be pasted onto the recorder.
        visible[kPaste] = clipboardSource == kClipboardPc;
      }
      break;
    case PaneFocus::PcList:
      if (popupHit) {
        visible[kCopy] = visible[kDelete] = visible[kPreview] = visible[kPrint] = visible[kExport] =
            true;
      } else {
        visible[kPaste] = anythingCopied;
      }
      break;
    case PaneFocus::Other:
      break;
  }
  if (pc.count > 0) popup.printAndExportEnabled = pc.firstIsTestFile;
  return popup;
}

ScreenScale ScaleForScreen(int screenWidth, int screenHeight) {
  // The factors are rounded to single precision before any use: a design value
  // multiplied by the double quotient would truncate differently.
  ScreenScale scale;
  scale.sx = static_cast<float>(screenWidth) * 0.0009765625F;
  scale.sy = static_cast<float>(screenHeight) * 0.0013020833333333333F;
  return scale;
}

namespace {

int ScaleValue(int design, float factor) {
  const float product = static_cast<float>(design) * factor;
  return static_cast<int>(std::trunc(product));
}

}  // namespace

Geometry ScaleGeometry(const Geometry& design, const ScreenScale& scale) {
  Geometry scaled;
  scaled.width = ScaleValue(design.width, scale.sx);
  scaled.height = ScaleValue(design.height, scale.sy);
  scaled.left = ScaleValue(design.left, scale.sx);
  scaled.top = ScaleValue(design.top, scale.sy);
  return scaled;
}

std::array<int, kStatusPanelCount> StatusPanelWidths(const ScreenScale& scale) {
  std::array<int, kStatusPanelCount> widths = kStatusPanelDesignWidths;
  // The last panel holds the PC list's counts and keeps its width.
  for (int i = 0; i < kStatusPanelCount - 1; ++i) widths[i] = ScaleValue(widths[i], scale.sx);
  return widths;
}

std::string ExportModePanelText(bool exportDataMode, int languageIndex) {
  return exportDataMode ? MessageUtf8(msg::kExportDataMode, languageIndex) : std::string();
}

bool IsDisplayAllFilesPassword(std::string_view typed) { return typed == kDisplayAllFilesPassword; }

}  // namespace tesmora
