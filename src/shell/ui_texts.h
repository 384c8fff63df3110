#pragma once

#include <string_view>

// Texts of the desktop program's windows that the message table does not
// hold: mostly the accessible names that let a screen reader tell the
// controls apart. UTF-8, for the screen only (never exported or printed).
namespace tesmora {

enum class UiText : int {
  RecorderFiles,
  PcFolders,
  PcFoldersHelp,
  PcFiles,
  RecorderMemory,
  MenuBar,
  ToolBar,
  PopupMenu,
  StatusBar,
  RecorderCount,
  PcCount,
  FreePanel,
  PaneDivider,
  Cancel,
  StopAfterFile,
  TransferredFile,
  TransferDirection,
  TransferProgress,
  DeletedFile,
  ProgramVersion,
  RecorderVersion,
  LegalNotice,
  Picture,
  // What a folder-tree node is, for screen readers and tool tips.
  FixedDrive,
  RemovableDrive,
  CdRomDrive,
  NetworkDrive,
  NetworkPlaces,
  NetworkServer,
  NetworkShare,
  FolderNode,
  OpenFolderNode,
  // The port dialog.
  PortDevice,
  DeviceConnected,
  DeviceAbsent,
  PortDeviceHint,
  NoSerialDevice,
  SettingsNotWritten,
  AutoSaveNotWritten,
  SerialPortDevice,
  // The sheet window.
  SheetFaceMissing,
  SheetPages,
  SheetZoom,
  ChoosePrinter,
  PrintSheets,
  PdfFile,
  PreparingSheets,
  SheetInPreparation,
  // The hint while the preview's pages scroll by: "%1" is the page's number.
  PageHint,
  // Why a print did not go through: "%1" names the printer or the file.
  PrintServerSilent,
  PrinterUnknown,
  PrinterRefusing,
  PrintJobRefused,
  PrintNotStarted,
};
inline constexpr int kUiTextCount = static_cast<int>(UiText::PrintNotStarted) + 1;

// The text in a language (0 French to 7 Czech); English for an index out of
// range.
std::string_view UiTextUtf8(UiText text, int languageIndex);

}  // namespace tesmora
