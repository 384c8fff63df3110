#pragma once

#include <string>

#include "explorer/folder_tree.h"
#include "explorer/operation_context.h"

namespace tesmora::explorer {

// Whether a new folder can be made under a node of this state: not under a
// CD-ROM drive, the network root or a server.
bool AcceptsNewFolder(int state);

// The new-folder dialog's OK: the name is checked ("Incorrect character";
// an empty name fails without a message) and the folder created under
// `parentPath` ("Directory cannot be created"). `failed` is the dialog's
// failure flag.
struct NewFolderOutcome {
  bool failed = true;
  std::string path;  // the folder created
};
NewFolderOutcome CreateNewFolder(const OperationContext& context, const std::string& parentPath,
                                 const std::string& name);

// A created folder joins the tree under `parent` as a folder node.
struct NewFolderNodeOutcome {
  NewFolderOutcome folder;
  NodeId added = kNoNode;
  TreeChange change;
};
NewFolderNodeOutcome CreateNewFolderNode(const OperationContext& context, FolderTree& tree,
                                         NodeId parent, const std::string& name);

}  // namespace tesmora::explorer
