#pragma once

#include <string>
#include <string_view>

#include "explorer/folder_tree.h"
#include "shell/languages.h"
#include "shell/prompter.h"

namespace tesmora::explorer {

// Whether a node's label may be edited in place: not a root, a server or a
// share (nor a place-holder).
bool CanEditNode(const FolderTree& tree, NodeId id);
// Whether files may be dropped on a node: not on the network root, a server
// or a CD-ROM drive.
bool AcceptsDrop(const FolderTree& tree, NodeId id);
// Whether Del on the node deletes its folder (while the node is being edited,
// Del belongs to the text).
bool DeletableByKey(const FolderTree& tree, NodeId id);

// What is wrong with a name typed for a folder.
enum class FolderNameCheck { Ok, Empty, IncorrectCharacter };
// Empty, or holding one of \ / : * ? < > |, or "." or ".." (which name
// folders that exist already, the folder itself and its parent).
FolderNameCheck CheckFolderName(std::string_view name);

struct RenameOutcome {
  bool renamed = false;
  bool openFolderMoved = false;  // the PC list's folder has a new path: list it again
  TreeChange change;
};

// The end of an in-place edit: the checks, then the folder is renamed on disk
// without replacing anything of the new name. On any failure the node keeps
// its name and the message (caption "Tesmora", error icon) has been shown.
RenameOutcome RenameFolderNode(FolderTree& tree, NodeId id, std::string_view newText,
                               platform::FileSystem& fs, Prompter& prompter,
                               const LanguageState& language);

}  // namespace tesmora::explorer
