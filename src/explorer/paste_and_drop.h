#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "shell/main_window_rules.h"

// What a paste and a drop accept and what they do, from plain facts the
// window gathers: where the files come from, where they would go, the folders
// on both sides and the display-all-files mode.
namespace tesmora::explorer {

// What a paste or a drop does with the files.
enum class FileTransfer {
  None,                 // refused: nothing happens
  ReceiveFromRecorder,  // recorder files copied into a PC folder
  SendToRecorder,       // PC files copied onto the recorder
  CopyOnPc,             // PC files copied into a PC folder
  MoveOnPc,             // the PC list's rows moved into a folder of the tree
};

// A paste with the focus on a control (`clipboardSource` as the Copy command
// recorded it): PC files go onto the recorder list; either side's files into
// the tree's selected folder, `targetFolder`, empty when the node has none.
FileTransfer PasteTransfer(PaneFocus focus, int clipboardSource, std::string_view targetFolder);

// Where dragged files come from: one of the two lists, or the desktop's file
// manager (files named by their addresses); anything else is refused.
enum class DragSource { Other, RecorderList, PcList, Desktop };
// Where they are dropped.
enum class DropPlace { FolderTree, PcList, RecorderList };

// What the window knows of a drag over one of its controls.
struct DropFacts {
  DropPlace place = DropPlace::FolderTree;
  DragSource source = DragSource::Other;
  // No batch is under way.
  bool acceptsCommands = false;
  // The folder of the tree's node under the mouse, when that node takes
  // drops (AcceptsDrop); empty otherwise. For the tree only.
  std::string nodeFolder;
  // The folder the PC list shows (ending with a separator), empty while it
  // shows none, and its selected names.
  std::string shownFolder;
  std::vector<std::string> pcSelection;
  // The local files dragged from the desktop, by folder (ending with a
  // separator). Only a drop on the recorder list looks at them.
  std::map<std::string, std::vector<std::string>> desktopFiles;
  bool allFilesMode = false;
};

struct DropDecision {
  FileTransfer transfer = FileTransfer::None;
  // SendToRecorder: the batch that goes, one at a time: the files of the
  // first folder dropped.
  std::string sendFolder;
  std::vector<std::string> sendNames;
};

// The tree takes files from both lists and the desktop into the node's
// folder: PC rows move there, the others are copied. The PC list takes
// recorder rows and desktop files into the folder it shows. The recorder
// list takes the PC list's selection or desktop files, when every file has
// the recorder's name format, unless all files are shown.
DropDecision DecideDrop(const DropFacts& facts);

}  // namespace tesmora::explorer
