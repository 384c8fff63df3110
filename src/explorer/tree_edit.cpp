#include "explorer/tree_edit.h"

#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"

namespace tesmora::explorer {

namespace {}  // namespace

bool CanEditNode(const FolderTree& tree, NodeId id) {
  if (!tree.Contains(id) || tree.IsRoot(id)) return false;
  const int state = tree.Node(id).state;
  return state != kNodeServer && state != kNodeShare && state != kNodeNone;
}

bool AcceptsDrop(const FolderTree& tree, NodeId id) {
  if (!tree.Contains(id)) return false;
  const TreeNode& node = tree.Node(id);
  return node.text != kNetworkRootText && node.state != kNodeCdRom && node.state != kNodeServer &&
         node.state != kNodeNetworkRoot && node.state != kNodeNone;
}

bool DeletableByKey(const FolderTree& tree, NodeId id) {
  return CanEditNode(tree, id) && !tree.Node(id).editing;
}

FolderNameCheck CheckFolderName(std::string_view name) {
  if (name.empty()) return FolderNameCheck::Empty;
  if (name.find_first_of("\\/:*?<>|") != std::string_view::npos || name == "." || name == "..") {
    return FolderNameCheck::IncorrectCharacter;
  }
  return FolderNameCheck::Ok;
}

std::optional<std::string> RenameRequest(std::string_view shown, std::string_view typed,
                                         bool abandoned) {
  if (abandoned || typed == shown) return std::nullopt;
  return std::string(typed);
}

RenameOutcome RenameFolderNode(FolderTree& tree, NodeId id, std::string_view newText,
                               platform::FileSystem& fs, Prompter& prompter,
                               const LanguageState& language) {
  RenameOutcome outcome;
  if (!CanEditNode(tree, id)) return outcome;
  tree.SetEditing(id, false);
  const auto fail = [&](MessageId message) {
    prompter.ShowMessage(kErrorCaption, MessageUtf8(message, language), PromptIcon::Error,
                         language.MessageLanguageId);
    // The widget shows the old name again.
    outcome.change.nodesChanged.push_back(id);
    return outcome;
  };
  switch (CheckFolderName(newText)) {
    case FolderNameCheck::Empty:
      return fail(msg::kEnterFolderName);
    case FolderNameCheck::IncorrectCharacter:
      return fail(msg::kIncorrectCharacter);
    case FolderNameCheck::Ok:
      break;
  }
  const TreeNode& node = tree.Node(id);
  if (newText == node.text) return outcome;  // nothing to rename
  const std::string from = tree.NodePath(id).path;
  const std::string to = platform::JoinPath(tree.NodePath(node.parent).path, newText);
  if (from.empty() || fs.Rename(from, to, false) != platform::FsStatus::Ok) {
    return fail(msg::kCannotRename);
  }
  outcome.renamed = true;
  outcome.change = tree.SetText(id, std::string(newText));
  return outcome;
}

}  // namespace tesmora::explorer
