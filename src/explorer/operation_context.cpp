#include "explorer/operation_context.h"

#include "records/failure_text.h"
#include "shell/message_table.h"

namespace tesmora::explorer {

namespace {
constexpr int kMessageConfirmation = 74;
}  // namespace

bool Confirm(const OperationContext& context, const std::string& text) {
  return context.prompter.Ask(MessageUtf8(kMessageConfirmation, context.language), text,
                              PromptButtons::OkCancel, PromptIcon::Question,
                              context.language.MessageLanguageId) == PromptAnswer::Ok;
}

void ReportError(const OperationContext& context, const std::string& lead, int message) {
  context.prompter.ShowMessage(kErrorCaption,
                               FailureText(lead + ". ", {message}, context.language.LanguageIndex),
                               PromptIcon::Error, context.language.MessageLanguageId);
}

}  // namespace tesmora::explorer
