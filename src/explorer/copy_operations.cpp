#include "explorer/copy_operations.h"

#include "platform/paths.h"

namespace tesmora::explorer {

namespace {

using platform::FsStatus;

// One file of a drop into place, with the commit's policy. Ok when it left
// the source folder; Exists when the target's file was kept; anything else
// has been reported or leaves the file in both folders.
FsStatus MoveOne(const OperationContext& context, const std::string& from, const std::string& to,
                 const std::string& name, platform::OverwritePolicy policy) {
  const bool replace = policy == platform::OverwritePolicy::Always;
  const FsStatus renamed = context.fs.Rename(from, to, replace);
  if (renamed == FsStatus::Ok || renamed == FsStatus::Exists) return renamed;
  // Another file system (or a rename refused for another reason): copy, and
  // let the source go only once its copy is whole.
  if (const FsStatus status = context.fs.CopyFile(from, to, policy); status != FsStatus::Ok) {
    if (status != FsStatus::Exists) ReportCopyFailure(context, name, status);
    return status;
  }
  return context.fs.RemoveFile(from) == FsStatus::Ok ? FsStatus::Ok : FsStatus::Failed;
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
    ReplaceDecision decision = AskBeforeReplacing(context, targetFolder, name);
    if (decision.answer == PromptAnswer::Cancel) {
      outcome.cancelled = true;
      break;
    }
    if (!decision.Writes()) continue;
    const FsStatus status = WriteAsDecided(
        context, targetFolder, name, decision, [&](platform::OverwritePolicy policy) {
          return context.fs.CopyFile(platform::JoinPath(clipboard.ClipboardFolder, name),
                                     platform::JoinPath(targetFolder, name), policy);
        });
    if (status == FsStatus::Ok) {
      outcome.done.push_back(name);
    } else if (decision.answer == PromptAnswer::Cancel) {
      outcome.cancelled = true;
      break;
    } else if (status != FsStatus::Exists) {
      ReportCopyFailure(context, name, status);
    }
  }
  return outcome;
}

TransferOutcome MoveByDrop(const OperationContext& context, const std::string& sourceFolder,
                           const std::vector<std::string>& names, const std::string& targetFolder) {
  TransferOutcome outcome;
  // Into its own folder a file would be copied onto itself and then deleted,
  // whichever name (a link, a separator at the end) the folder goes by.
  if (targetFolder.empty() || sourceFolder.empty() ||
      platform::SameFolder(context.fs, sourceFolder, targetFolder)) {
    return outcome;
  }
  for (const std::string& name : names) {
    if (LeftOutAsSpecial(context, sourceFolder, name)) continue;
    ReplaceDecision decision = AskBeforeReplacing(context, targetFolder, name);
    if (decision.answer == PromptAnswer::Cancel) {
      outcome.cancelled = true;
      break;
    }
    if (!decision.Writes()) continue;
    const FsStatus status = WriteAsDecided(
        context, targetFolder, name, decision, [&](platform::OverwritePolicy policy) {
          return MoveOne(context, platform::JoinPath(sourceFolder, name),
                         platform::JoinPath(targetFolder, name), name, policy);
        });
    if (status == FsStatus::Ok) {
      outcome.done.push_back(name);
    } else if (decision.answer == PromptAnswer::Cancel) {
      outcome.cancelled = true;
      break;
    }
  }
  return outcome;
}

}  // namespace tesmora::explorer
