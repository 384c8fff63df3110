#include "shell/languages.h"

namespace tesmora {

const std::array<LanguageEntry, 8> kLanguages{{
    {0, "fr", "Franais1", "Fran\u00e7ais", 1, 0x040C, 12},
    {1, "en", "English1", "English", 7, 0x0809, 9},
    {2, "es", "Espa1", "Espa\u00f1ol", 6, 0x040A, 10},
    {3, "it", "Italiano1", "Italiano", 3, 0x0410, 16},
    {4, "pt", "Portugues1", "Portugues", 5, 0x0816, 22},
    {5, "de", "Deutsch1", "Deutsch", 2, 0x0407, 7},
    {6, "pl", "Polski1", "Polski", 4, 0x0415, 21},
    {7, "cs", "Cesky1", "Cesky", 0, 0x0405, 5},
}};

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
