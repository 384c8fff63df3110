#include "explorer/copy_operations.h"

#include "explorer/node_state.h"
#include "platform/paths.h"

namespace tesmora::explorer {

namespace {

using platform::FsStatus;

bool SameFolder(const OperationContext& context, const std::string& a, const std::string& b) {
  const auto factsA = context.fs.Facts(a);
  const auto factsB = context.fs.Facts(b);
  return factsA && factsB && factsA->device == factsB->device && factsA->inode == factsB->inode;
}

// One file of a drop into place. Returns whether it left the source folder.
bool MoveOne(const OperationContext& context, const std::string& from, const std::string& to,
             const std::string& name) {
  if (context.fs.Rename(from, to, true) == FsStatus::Ok) return true;
  // Another file system (or a rename refused for another reason): copy, and
  // let the source go only once its copy is whole.
  if (const FsStatus status = context.fs.CopyFile(from, to); status != FsStatus::Ok) {
    ReportCopyFailure(context, name, status);
    return false;
  }
  return context.fs.RemoveFile(from) == FsStatus::Ok;
}

}  // namespace

PcClipboard CopyPcSelection(const std::string& currentPcFolder,
                            const std::vector<std::string>& selectedNames) {
  return {platform::WithTrailingSeparator(currentPcFolder), selectedNames};
}

TransferOutcome PasteFiles(const OperationContext& context, const PcClipboard& clipboard,
                           const std::string& targetFolder) {
  TransferOutcome outcome;
  // Without a folder on either side there is nowhere to read or write: an
  // empty path would mean the working directory.
  if (targetFolder.empty() || clipboard.ClipboardFolder.empty()) return outcome;
  for (const std::string& name : clipboard.ClipboardNames) {
    if (LeftOutAsSpecial(context, clipboard.ClipboardFolder, name)) continue;
    const std::optional<PromptAnswer> answer = AskBeforeReplacing(context, targetFolder, name);
    if (answer == PromptAnswer::Cancel) {
      outcome.cancelled = true;
      break;
    }
    if (answer == PromptAnswer::No) continue;
    const FsStatus status = context.fs.CopyFile(platform::JoinPath(clipboard.ClipboardFolder, name),
                                                platform::JoinPath(targetFolder, name));
    if (status == FsStatus::Ok) {
      outcome.done.push_back(name);
    } else {
      ReportCopyFailure(context, name, status);
    }
  }
  return outcome;
}

bool PasteRefreshesList(int targetState) {
  return targetState == kNodeFixedDrive || targetState == kNodeRemovable ||
         targetState == kNodeOpenFolder;
}

TransferOutcome MoveByDrop(const OperationContext& context, const std::string& sourceFolder,
                           const std::vector<std::string>& names, const std::string& targetFolder) {
  TransferOutcome outcome;
  // Into its own folder a file would be copied onto itself and then deleted.
  if (targetFolder.empty() || sourceFolder.empty() ||
      SameFolder(context, sourceFolder, targetFolder)) {
    return outcome;
  }
  for (const std::string& name : names) {
    if (LeftOutAsSpecial(context, sourceFolder, name)) continue;
    const std::optional<PromptAnswer> answer = AskBeforeReplacing(context, targetFolder, name);
    if (answer == PromptAnswer::Cancel) {
      outcome.cancelled = true;
      break;
    }
    if (answer == PromptAnswer::No) continue;
    if (MoveOne(context, platform::JoinPath(sourceFolder, name),
                platform::JoinPath(targetFolder, name), name)) {
      outcome.done.push_back(name);
    }
  }
  return outcome;
}

}  // namespace tesmora::explorer
