#include "shell/ask_replace.h"

#include <string>

#include "platform/paths.h"
#include "shell/message_table.h"

namespace tesmora {

std::optional<PromptAnswer> AskReplace(Prompter& prompter, bool exists, std::string_view name,
                                       const LanguageState& language) {
  if (!exists) return std::nullopt;
  const int index = language.LanguageIndex;
  const std::string text = std::string(name) + ". " + MessageUtf8(msg::kReplaceFile, index);
  return prompter.Ask(MessageUtf8(msg::kConfirmation, index), text, PromptButtons::YesNoCancel,
                      PromptIcon::Stop, language.MessageLanguageId);
}

bool ConfirmWriteProtected(Prompter& prompter, const LanguageState& language, std::string_view name,
                           MessageId message) {
  const int index = language.LanguageIndex;
  const std::string text = std::string(name) + ". " + MessageUtf8(msg::kReadOnlyFile, index) +
                           MessageUtf8(message, index);
  return prompter.Ask(MessageUtf8(msg::kConfirmation, index), text, PromptButtons::OkCancel,
                      PromptIcon::Question, language.MessageLanguageId) == PromptAnswer::Ok;
}

ReplaceDecision DecideReplace(Prompter& prompter, platform::FileSystem& fs,
                              const std::string& folder, const std::string& name,
                              const LanguageState& language, platform::OverwritePolicy policy) {
  using platform::OverwritePolicy;
  if (policy == OverwritePolicy::Always) return {std::nullopt, OverwritePolicy::Always};
  const auto facts = fs.Facts(platform::JoinPath(folder, name));
  if (!facts) return {};
  if (policy == OverwritePolicy::Never) return {PromptAnswer::No};
  const std::optional<PromptAnswer> answer = AskReplace(prompter, true, name, language);
  if (answer != PromptAnswer::Yes) return {answer};
  if (facts->writeProtected &&
      !ConfirmWriteProtected(prompter, language, name, msg::kReplaceFile)) {
    return {PromptAnswer::No};
  }
  return {answer, OverwritePolicy::Always};
}

}  // namespace tesmora
