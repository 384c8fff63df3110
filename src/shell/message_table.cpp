#include "shell/message_table.h"

#include <cstring>

namespace tesmora {

namespace detail {
extern const char* const kMessageTexts[kMessageCount * kLanguageCount];
}  // namespace detail

std::string_view MessageBytes(MessageId id, int languageIndex) {
  if (id < 0 || id >= kMessageCount || languageIndex < 0 || languageIndex >= kLanguageCount) {
    return {};
  }
  return detail::kMessageTexts[id * kLanguageCount + languageIndex];
}

void GetMessageText(MessageId id, int languageIndex, char* buffer) {
  const std::string_view text = MessageBytes(id, languageIndex);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
}

std::string MessageUtf8(MessageId id, int languageIndex) {
  return DecodeToUtf8(MessageBytes(id, languageIndex), MessageCodePage(id));
}

std::string MessageUtf8(MessageId id, const LanguageState& language) {
  return MessageUtf8(id, language.LanguageIndex);
}

}  // namespace tesmora
