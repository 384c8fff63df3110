#include "explorer/operation_context.h"

#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/ask_replace.h"
#include "shell/message_table.h"

namespace tesmora::explorer {

bool Confirm(const OperationContext& context, const std::string& text) {
  return context.prompter.Ask(MessageUtf8(msg::kConfirmation, context.language), text,
                              PromptButtons::OkCancel, PromptIcon::Question,
                              context.language.MessageLanguageId) == PromptAnswer::Ok;
}

bool ConfirmWriteProtected(const OperationContext& context, const std::string& name,
                           MessageId message) {
  return tesmora::ConfirmWriteProtected(context.prompter, context.language, name, message);
}

void ReportError(const OperationContext& context, const std::string& lead, MessageId message) {
  context.prompter.ShowMessage(kErrorCaption,
                               FailureText(lead + ". ", {message}, context.language.LanguageIndex),
                               PromptIcon::Error, context.language.MessageLanguageId);
}

bool LeftOutAsSpecial(const OperationContext& context, const std::string& folder,
                      const std::string& name) {
  const auto facts = context.fs.Facts(platform::JoinPath(folder, name));
  if (!facts || !facts->special) return false;
  ReportError(context, name, msg::kNotAFile);
  return true;
}

std::vector<std::string> WithoutSpecialFiles(const OperationContext& context,
                                             const std::string& folder,
                                             const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const std::string& name : names) {
    if (!LeftOutAsSpecial(context, folder, name)) files.push_back(name);
  }
  return files;
}

ReplaceDecision AskBeforeReplacing(const OperationContext& context, const std::string& folder,
                                   const std::string& name) {
  return DecideReplace(context.prompter, context.fs, folder, name, context.language,
                       context.overwrite);
}

platform::FsStatus WriteAsDecided(
    const OperationContext& context, const std::string& folder, const std::string& name,
    ReplaceDecision& decision,
    const std::function<platform::FsStatus(platform::OverwritePolicy)>& write) {
  const platform::FsStatus status = write(decision.commit);
  if (status != platform::FsStatus::Exists) return status;
  decision = AskBeforeReplacing(context, folder, name);
  // Nothing asked means the file went again meanwhile: the name is free.
  if (!decision.Writes()) return status;
  return write(decision.commit);
}

void ReportCopyFailure(const OperationContext& context, const std::string& name,
                       platform::FsStatus status) {
  ReportError(context, name,
              status == platform::FsStatus::NotAFile ? msg::kNotAFile : msg::kFileNotCopied);
}

}  // namespace tesmora::explorer
