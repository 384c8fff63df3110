#include "records/failure_text.h"

#include "shell/message_table.h"

namespace tesmora {

std::string FailureText(std::string_view lead, std::initializer_list<MessageId> messages,
                        int languageIndex) {
  std::string text(lead);
  for (const MessageId id : messages) text += MessageUtf8(id, languageIndex);
  return text;
}

}  // namespace tesmora
