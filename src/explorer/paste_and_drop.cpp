#include "explorer/paste_and_drop.h"

#include <algorithm>

#include "link/transfers.h"

namespace tesmora::explorer {
namespace {

FileTransfer IntoPcFolder(DragSource source, DropPlace place) {
  switch (source) {
    case DragSource::RecorderList:
      return FileTransfer::ReceiveFromRecorder;
    case DragSource::PcList:
      // Within the PC side only the tree takes rows of the list.
      return place == DropPlace::FolderTree ? FileTransfer::MoveOnPc : FileTransfer::None;
    case DragSource::Desktop:
      // Files from the desktop are copied, as a paste of them would.
      return FileTransfer::CopyOnPc;
    case DragSource::Other:
      break;
  }
  return FileTransfer::None;
}

DropDecision OntoRecorder(const DropFacts& facts) {
  std::map<std::string, std::vector<std::string>> files;
  if (facts.source == DragSource::Desktop) {
    files = facts.desktopFiles;
  } else if (facts.source == DragSource::PcList && !facts.shownFolder.empty()) {
    files[facts.shownFolder] = facts.pcSelection;
  }
  const bool accepted =
      !files.empty() && std::all_of(files.begin(), files.end(), [&](const auto& folder) {
        return !folder.second.empty() &&
               link::AcceptsDropOnRecorderList(folder.second, facts.allFilesMode);
      });
  if (!accepted) return {};
  return {FileTransfer::SendToRecorder, files.begin()->first, files.begin()->second};
}

}  // namespace

FileTransfer PasteTransfer(PaneFocus focus, int clipboardSource, std::string_view targetFolder) {
  switch (focus) {
    case PaneFocus::RecorderList:
      // Only PC files can be pasted onto the recorder.
      return clipboardSource == kClipboardPc ? FileTransfer::SendToRecorder : FileTransfer::None;
    case PaneFocus::FolderTree:
    case PaneFocus::PcList:
      if (targetFolder.empty()) return FileTransfer::None;
      if (clipboardSource == kClipboardRecorder) return FileTransfer::ReceiveFromRecorder;
      if (clipboardSource == kClipboardPc) return FileTransfer::CopyOnPc;
      return FileTransfer::None;
    case PaneFocus::Other:
      break;
  }
  return FileTransfer::None;
}

DropDecision DecideDrop(const DropFacts& facts) {
  if (!facts.acceptsCommands) return {};
  switch (facts.place) {
    case DropPlace::FolderTree:
      if (facts.nodeFolder.empty()) return {};
      return {IntoPcFolder(facts.source, facts.place), {}, {}};
    case DropPlace::PcList:
      if (facts.shownFolder.empty()) return {};
      return {IntoPcFolder(facts.source, facts.place), {}, {}};
    case DropPlace::RecorderList:
      return OntoRecorder(facts);
  }
  return {};
}

}  // namespace tesmora::explorer
