#include "explorer/delete_operations.h"

#include <algorithm>
#include <cctype>

#include "platform/paths.h"
#include "shell/message_table.h"

namespace tesmora::explorer {

namespace {

using platform::FsStatus;

bool EndsWithExe(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".exe";
}

// Empties `path` and removes it. False at the first thing that stays.
bool RemoveTree(const OperationContext& context, const std::string& path, std::uint64_t device) {
  const auto entries = context.fs.List(path);
  if (!entries) return false;
  for (const platform::DirectoryEntry& entry : *entries) {
    const std::string inner = platform::JoinPath(path, entry.name);
    const auto facts = context.fs.Facts(inner);
    if (!facts) return false;
    if (facts->type == platform::EntryType::Directory && !facts->symlink) {
      // Another drive mounted inside is not part of this folder.
      if (facts->device != device || !RemoveTree(context, inner, device)) return false;
    } else if (!DeleteOneFile(context, inner, entry.name)) {
      return false;
    }
  }
  return context.fs.RemoveFolder(path) == FsStatus::Ok;
}

}  // namespace

bool DeleteOneFile(const OperationContext& context, const std::string& fullPath,
                   const std::string& name) {
  const int index = context.language.LanguageIndex;
  if (EndsWithExe(name) && !Confirm(context, name + ". " + MessageUtf8(msg::kProgramFile, index) +
                                                 MessageUtf8(msg::kRemoveFile, index))) {
    return false;
  }
  // Deleting needs the folder's permission only; a file the user may not
  // write is asked about first, as rm does.
  const auto facts = context.fs.Facts(fullPath);
  if (facts && facts->writeProtected && !ConfirmWriteProtected(context, name, msg::kRemoveFile)) {
    return false;
  }
  if (context.fs.RemoveFile(fullPath) == FsStatus::Ok) return true;
  ReportError(context, name, msg::kFileNotDeleted);
  return false;
}

bool DeleteFolder(const OperationContext& context, const std::string& path,
                  const std::string& nodeText) {
  if (path.empty()) return false;
  if (!Confirm(context,
               nodeText + ". " + MessageUtf8(msg::kRemoveFolder, context.language.LanguageIndex))) {
    return false;
  }
  const FsStatus status = context.fs.RemoveFolder(path);
  if (status == FsStatus::Ok || status == FsStatus::NotFound) return true;
  const auto facts = context.fs.Facts(path);
  // A link to a folder is a file here: what it leads to is not ours to empty.
  if (facts && facts->symlink) {
    if (context.fs.RemoveFile(path) == FsStatus::Ok) return true;
  } else if (facts && facts->type == platform::EntryType::Directory &&
             RemoveTree(context, path, facts->device)) {
    return true;
  }
  ReportError(context, nodeText, msg::kFolderNotDeleted);
  return false;
}

DeleteNodeOutcome DeleteFolderNode(const OperationContext& context, FolderTree& tree, NodeId id) {
  DeleteNodeOutcome outcome;
  if (!tree.Contains(id) || tree.IsRoot(id)) return outcome;
  const int state = tree.Node(id).state;
  if (state == kNodeServer || state == kNodeShare || state == kNodeNone) return outcome;
  outcome.deleted = DeleteFolder(context, tree.NodePath(id).path, tree.Node(id).text);
  if (outcome.deleted) outcome.change = tree.Remove(id);
  return outcome;
}

std::vector<std::string> DeleteSelectedFiles(const OperationContext& context,
                                             const std::string& folder,
                                             const std::vector<std::string>& selectedNames) {
  std::vector<std::string> deleted;
  if (selectedNames.empty() || folder.empty()) return deleted;
  const int index = context.language.LanguageIndex;
  const std::string question =
      selectedNames.size() < 2 ? selectedNames.front() + ". " + MessageUtf8(msg::kRemoveFile, index)
                               : MessageUtf8(msg::kRemoveFiles, index);
  if (!Confirm(context, question)) return deleted;
  for (const std::string& name : selectedNames) {
    if (DeleteOneFile(context, platform::JoinPath(folder, name), name)) deleted.push_back(name);
  }
  return deleted;
}

}  // namespace tesmora::explorer
