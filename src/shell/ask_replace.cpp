#include "shell/ask_replace.h"

#include <string>

#include "shell/message_table.h"

namespace tesmora {

namespace {}  // namespace

std::optional<PromptAnswer> AskReplace(Prompter& prompter, bool exists, std::string_view name,
                                       const LanguageState& language) {
  if (!exists) return std::nullopt;
  const int index = language.LanguageIndex;
  const std::string text = std::string(name) + ". " + MessageUtf8(msg::kReplaceFile, index);
  return prompter.Ask(MessageUtf8(msg::kConfirmation, index), text, PromptButtons::YesNoCancel,
                      PromptIcon::Stop, language.MessageLanguageId);
}

}  // namespace tesmora
