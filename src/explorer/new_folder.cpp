#include "explorer/new_folder.h"

#include "explorer/tree_edit.h"
#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"

namespace tesmora::explorer {

namespace {}  // namespace

bool AcceptsNewFolder(int state) {
  return state != kNodeCdRom && state != kNodeNetworkRoot && state != kNodeServer &&
         state != kNodeNone;
}

NewFolderOutcome CreateNewFolder(const OperationContext& context, const std::string& parentPath,
                                 const std::string& name) {
  NewFolderOutcome outcome;
  const auto report = [&](MessageId message) {
    context.prompter.ShowMessage(kErrorCaption, MessageUtf8(message, context.language),
                                 PromptIcon::Error, context.language.MessageLanguageId);
  };
  switch (CheckFolderName(name)) {
    case FolderNameCheck::IncorrectCharacter:
      report(msg::kIncorrectCharacter);
      return outcome;
    case FolderNameCheck::Empty:
      return outcome;
    case FolderNameCheck::Ok:
      break;
  }
  // A parent without a folder (the network root, a server) would put the
  // new folder in the working directory.
  const std::string path = platform::JoinPath(parentPath, name);
  if (parentPath.empty() || context.fs.CreateFolder(path) != platform::FsStatus::Ok) {
    report(msg::kCannotCreateFolder);
    return outcome;
  }
  outcome.failed = false;
  outcome.path = path;
  return outcome;
}

NewFolderNodeOutcome CreateNewFolderNode(const OperationContext& context, FolderTree& tree,
                                         NodeId parent, const std::string& name) {
  NewFolderNodeOutcome outcome;
  if (!tree.Contains(parent) || !AcceptsNewFolder(tree.Node(parent).state)) return outcome;
  outcome.folder = CreateNewFolder(context, tree.NodePath(parent).path, name);
  if (!outcome.folder.failed) outcome.change = tree.AddFolder(parent, name, &outcome.added);
  return outcome;
}

}  // namespace tesmora::explorer
