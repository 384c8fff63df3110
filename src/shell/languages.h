#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tesmora {

// One of the built-in languages. The index is the column of the message
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

// The one table of the languages, indexed by LanguageIndex: 0 French,
// 1 English, 2 Spanish, 3 Italian, 4 Portuguese, 5 German, 6 Polish, 7 Czech.
// Its order is that of the texts of each message block in messages.txt, and
// its size is kLanguageCount, which every other table of languages follows.
//
// What limits a new language is the stored texts, not this table: messages
// 0 to 263 are kept in code page 850 and 264 on in code page 1252 (exports
// and the recorder's screens carry those bytes), so each letter of a new
// language must exist in both code pages or be written without its accent,
// as Polish and Czech are. A new language also needs its column in every
// message block and in ui_texts, a flag picture and a place in
// kLanguageMenuOrder.
inline constexpr auto kLanguages = std::to_array<LanguageEntry>({
    {0, "fr", "Franais1", "Fran\u00e7ais", 1, 0x040C, 12},
    {1, "en", "English1", "English", 7, 0x0809, 9},
    {2, "es", "Espa1", "Espa\u00f1ol", 6, 0x040A, 10},
    {3, "it", "Italiano1", "Italiano", 3, 0x0410, 16},
    {4, "pt", "Portugues1", "Portugues", 5, 0x0816, 22},
    {5, "de", "Deutsch1", "Deutsch", 2, 0x0407, 7},
    {6, "pl", "Polski1", "Polski", 4, 0x0415, 21},
    {7, "cs", "Cesky1", "Cesky", 0, 0x0405, 5},
});

inline constexpr int kLanguageCount = static_cast<int>(kLanguages.size());

constexpr bool EachLanguageInItsColumn() {
  for (int i = 0; i < kLanguageCount; ++i) {
    if (kLanguages[static_cast<std::size_t>(i)].languageIndex != i) return false;
  }
  return true;
}
static_assert(EachLanguageInItsColumn());

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
inline constexpr std::array<int, kLanguageCount> kLanguageMenuOrder{7, 5, 1, 2, 0, 3, 6, 4};

// Each language once in the menu, so a language added to the table without
// its menu place stops the build.
constexpr bool IsLanguageOrder(const std::array<int, kLanguageCount>& order) {
  std::array<bool, kLanguageCount> seen{};
  for (const int index : order) {
    if (index < 0 || index >= kLanguageCount || seen[static_cast<std::size_t>(index)]) return false;
    seen[static_cast<std::size_t>(index)] = true;
  }
  return true;
}
static_assert(IsLanguageOrder(kLanguageMenuOrder));

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
// Indexes outside the table leave the state unchanged.
void ChooseLanguage(LanguageState& state, int languageIndex);

// The language with this two-letter code, or nothing.
const LanguageEntry* FindLanguageByCode(std::string_view isoCode);

}  // namespace tesmora
