#pragma once

#include <optional>

#include "shell/main_window_rules.h"
#include "shell/ui_texts.h"

namespace tesmora::explorer {

// Folder-tree node states: the tree's state images.
enum NodeState : int {
  kNodeNone = 0,
  kNodeFixedDrive = 1,
  kNodeCdRom = 2,
  kNodeRemovable = 3,
  kNodeFolder = 4,
  kNodeNetworkRoot = 5,
  kNodeServer = 6,
  kNodeOpenFolder = 7,
  kNodeShare = 8,
  kNodeNetworkDrive = 9,
};

// What the menus need to know of the tree's selected node; kNodeNone when
// there is none.
SelectedNodeFacts FactsOfNode(int state);

// What a node of this state is, in words (a screen reader's description);
// nothing for a place-holder.
std::optional<UiText> NodeKindText(int state);

}  // namespace tesmora::explorer
