#pragma once

#include <optional>
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

// What an in-place edit that ended asks for: the text typed, when the user
// changed the text the editor showed; nothing when the edit was abandoned
// (Escape) or left as shown. A name whose bytes are no UTF-8 shows with
// replacement characters: that shown form never becomes a folder's name,
// only a text the user typed does.
std::optional<std::string> RenameRequest(std::string_view shown, std::string_view typed,
                                         bool abandoned);

struct RenameOutcome {
  bool renamed = false;
  TreeChange change;
};

// The end of an in-place edit: the checks, then the folder is renamed on disk
// without replacing anything of the new name. On any failure the node keeps
// its name and the message (caption "Tesmora", error icon) has been shown.
RenameOutcome RenameFolderNode(FolderTree& tree, NodeId id, std::string_view newText,
                               platform::FileSystem& fs, Prompter& prompter,
                               const LanguageState& language);

}  // namespace tesmora::explorer
