#include "explorer/copy_operations.h"

#include "platform/paths.h"
#include "shell/ask_replace.h"

namespace tesmora::explorer {

namespace {

constexpr int kMessageNotCopied = 277;

using platform::FsStatus;

std::optional<PromptAnswer> AskAbout(const OperationContext& context, const std::string& folder,
                                     const std::string& name) {
  return AskReplace(context.prompter,
                    context.fs.Facts(platform::JoinPath(folder, name)).has_value(), name,
                    context.language);
}

// One file of a drop into place. Returns whether it left the source folder.
bool MoveOne(const OperationContext& context, const std::string& from, const std::string& to,
             const std::string& name) {
  if (context.fs.Rename(from, to, true) == FsStatus::Ok) return true;
  // Another file system (or a rename refused for another reason): copy, and
  // let the source go only once its copy is whole.
  if (context.fs.CopyFile(from, to) != FsStatus::Ok) {
    ReportError(context, name, kMessageNotCopied);
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
    const std::optional<PromptAnswer> answer = AskAbout(context, targetFolder, name);
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
      ReportError(context, name, kMessageNotCopied);
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
    const std::optional<PromptAnswer> answer = AskAbout(context, targetFolder, name);
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
