#include "shell/languages.h"

namespace tesmora {

LanguageState LanguageFromLocale(std::uint32_t localeId) {
  LanguageState state;
  state.MessageLanguageId = static_cast<std::uint16_t>(localeId & 0xFFFF);
  state.LanguageIndex = kEnglish;
  const auto primary = static_cast<std::uint8_t>(localeId & 0xFF);
  for (const LanguageEntry& language : kLanguages) {
    if (language.primaryLanguage == primary) state.LanguageIndex = language.languageIndex;
  }
  return state;
}

void ChooseLanguage(LanguageState& state, int languageIndex) {
  if (languageIndex < 0 || languageIndex >= static_cast<int>(kLanguages.size())) return;
  state.MessageLanguageId = kLanguages[static_cast<std::size_t>(languageIndex)].messageLanguageId;
  state.LanguageIndex = languageIndex;
}

const LanguageEntry* FindLanguageByCode(std::string_view isoCode) {
  for (const LanguageEntry& language : kLanguages) {
    if (language.isoCode == isoCode) return &language;
  }
  return nullptr;
}

}  // namespace tesmora
