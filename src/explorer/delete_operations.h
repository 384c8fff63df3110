#pragma once

#include <string>
#include <vector>

#include "explorer/folder_tree.h"
#include "explorer/operation_context.h"

namespace tesmora::explorer {

// Deletes one file after the questions it needs: a program (".exe") and a
// write-protected file are asked about first (OK or Cancel). Returns whether
// the file is gone; a failure has been reported ("File cannot be deleted").
// A symbolic link is deleted itself, never what it leads to.
bool DeleteOneFile(const OperationContext& context, const std::string& fullPath,
                   const std::string& name);

// Deletes a folder and everything in it after "TEXT. Do you want to remove
// this archive completely". Emptying goes depth first and stops at the first
// file that stays: what was deleted before is gone, the rest and every folder
// on the way stay, and "Archive cannot be deleted" is shown once. It never
// follows a symbolic link nor enters another file system mounted inside.
bool DeleteFolder(const OperationContext& context, const std::string& path,
                  const std::string& nodeText);

// DeleteFolder for a tree node; the node goes when its folder is gone.
struct DeleteNodeOutcome {
  bool deleted = false;
  TreeChange change;
};
DeleteNodeOutcome DeleteFolderNode(const OperationContext& context, FolderTree& tree, NodeId id);

// The PC list's selected files after one question (naming the file when one
// is selected). Returns the names of the files that are gone, whose rows go.
std::vector<std::string> DeleteSelectedFiles(const OperationContext& context,
                                             const std::string& folder,
                                             const std::vector<std::string>& selectedNames);

}  // namespace tesmora::explorer
