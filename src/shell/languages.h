#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tesmora {

// One of the eight built-in languages. The index is the column of the message
// table; the identifier is the Windows language identifier that message boxes
// receive when the user picks the language from the menu.
struct LanguageEntry {
  int languageIndex;
  std::string_view isoCode;         // two letters, as the command line takes them
  std::string_view menuItem;        // component name of its item in Options > Languages
  std::string_view caption;         // its fixed menu caption, UTF-8
  int flagImage;                    // flag picture in the image list listeDrapeaux
  std::uint16_t messageLanguageId;  // set by the menu
  std::uint8_t primaryLanguage;     // low byte of a locale identifier that selects it
};

// Indexed by LanguageIndex: 0 French, 1 English, 2 Spanish, 3 Italian,
// 4 Portuguese, 5 German, 6 Polish, 7 Czech.
extern const std::array<LanguageEntry, 8> kLanguages;

inline constexpr int kFrench = 0;
inline constexpr int kEnglish = 1;
inline constexpr int kSpanish = 2;
inline constexpr int kItalian = 3;
inline constexpr int kPortuguese = 4;
inline constexpr int kGerman = 5;
inline constexpr int kPolish = 6;
inline constexpr int kCzech = 7;

// The order of the items in the Languages submenu, by LanguageIndex:
// Cesky, Deutsch, English, Español, Français, Italiano, Polski, Portugues.
inline constexpr std::array<int, 8> kLanguageMenuOrder{7, 5, 1, 2, 0, 3, 6, 4};

// The language state of the application, owned by the main window.
struct LanguageState {
  int LanguageIndex = kEnglish;
  std::uint16_t MessageLanguageId = 0x0809;
};

// The start-up choice: the primary language (low 8 bits of the locale
// identifier) picks the column, any language without a column gives English,
// and MessageLanguageId keeps the locale's low 16 bits whatever is chosen.
LanguageState LanguageFromLocale(std::uint32_t localeId);

// A click on a language's menu item: that language and its identifier.
// Indexes outside 0 to 7 leave the state unchanged.
void ChooseLanguage(LanguageState& state, int languageIndex);

// The language with this two-letter code, or nothing.
const LanguageEntry* FindLanguageByCode(std::string_view isoCode);

}  // namespace tesmora
