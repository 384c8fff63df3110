#include "explorer/node_state.h"

namespace tesmora::explorer {

SelectedNodeFacts FactsOfNode(int state) {
  SelectedNodeFacts facts;
  facts.present = state != kNodeNone;
  // CD-ROM drives, the network root and servers cannot receive a folder or a
  // paste; without a node there is nothing to act on either.
  const bool refusesChanges =
      !facts.present || state == kNodeCdRom || state == kNodeNetworkRoot || state == kNodeServer;
  // Drives and shares can be written into but are not folders one could delete.
  const bool driveOrShare =
      state == kNodeFixedDrive || state == kNodeRemovable || state == kNodeShare;
  facts.acceptsNewFolder = !refusesChanges;
  facts.acceptsPaste = !refusesChanges;
  facts.deletable = !refusesChanges && !driveOrShare;
  return facts;
}

std::optional<UiText> NodeKindText(int state) {
  switch (state) {
    case kNodeFixedDrive:
      return UiText::FixedDrive;
    case kNodeCdRom:
      return UiText::CdRomDrive;
    case kNodeRemovable:
      return UiText::RemovableDrive;
    case kNodeFolder:
      return UiText::FolderNode;
    case kNodeNetworkRoot:
      return UiText::NetworkPlaces;
    case kNodeServer:
      return UiText::NetworkServer;
    case kNodeOpenFolder:
      return UiText::OpenFolderNode;
    case kNodeShare:
      return UiText::NetworkShare;
    case kNodeNetworkDrive:
      return UiText::NetworkDrive;
    default:
      return std::nullopt;
  }
}

}  // namespace tesmora::explorer
