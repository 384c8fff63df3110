#include "shell/languages.h"

#include <gtest/gtest.h>

#include "shell/message_table.h"

namespace tesmora {
namespace {

TEST(LanguageFromLocale, PicksTheColumnOfThePrimaryLanguage) {
  const struct {
    std::uint32_t locale;
    int languageIndex;
    int flag;
  } cases[] = {
      {0x0405, 7, 0}, {0x0407, 5, 2}, {0x0C07, 5, 2}, {0x0409, 1, 7}, {0x0809, 1, 7},
      {0x0C0A, 2, 6}, {0x040C, 0, 1}, {0x100C, 0, 1}, {0x0410, 3, 3}, {0x0415, 6, 4},
      {0x0816, 4, 5}, {0x0416, 4, 5}, {0x0413, 1, 7},  // Dutch: English
      {0x0411, 1, 7},                                  // Japanese: English
  };
  for (const auto& c : cases) {
    const LanguageState state = LanguageFromLocale(c.locale);
    EXPECT_EQ(state.LanguageIndex, c.languageIndex) << std::hex << c.locale;
    EXPECT_EQ(state.MessageLanguageId, c.locale) << "the locale's own identifier is kept";
    EXPECT_EQ(kLanguages[static_cast<std::size_t>(state.LanguageIndex)].flagImage, c.flag);
  }
}

TEST(LanguageFromLocale, DutchRunsInEnglishWithTheDutchIdentifier) {
  const LanguageState state = LanguageFromLocale(0x00000413);
  EXPECT_EQ(state.LanguageIndex, kEnglish);
  EXPECT_EQ(state.MessageLanguageId, 0x0413);
  EXPECT_EQ(MessageBytes(msg::kExitQuestion, state.LanguageIndex), "Do you  really want to exit?");
}

TEST(LanguageFromLocale, FrenchShowsFrenchTexts) {
  const LanguageState state = LanguageFromLocale(0x040C);
  EXPECT_EQ(state.LanguageIndex, 0);
  EXPECT_EQ(MessageBytes(msg::kExitQuestion, state.LanguageIndex),
            "Voulez-vous vraiment quitter Tesmora ?");
  EXPECT_EQ(MessageBytes(msg::kFileMenu, state.LanguageIndex), "&Fichier");
}

TEST(ChooseLanguage, MenuClickSetsIndexAndIdentifier) {
  LanguageState state = LanguageFromLocale(0x040C);
  ChooseLanguage(state, 5);  // Deutsch
  EXPECT_EQ(state.LanguageIndex, 5);
  EXPECT_EQ(state.MessageLanguageId, 1031);
  EXPECT_EQ(kLanguages[5].menuItem, "Deutsch1");
  EXPECT_EQ(kLanguages[5].flagImage, 2);

  const std::uint16_t expected[] = {1036, 2057, 1034, 1040, 2070, 1031, 1045, 1029};
  for (int index = 0; index < kLanguageCount; ++index) {
    ChooseLanguage(state, index);
    EXPECT_EQ(state.LanguageIndex, index);
    EXPECT_EQ(state.MessageLanguageId, expected[index]);
  }
  ChooseLanguage(state, kLanguageCount);
  EXPECT_EQ(state.LanguageIndex, 7) << "an unknown index changes nothing";
}

TEST(LanguageTable, MenuOrderIsAlphabeticalByCaption) {
  const char* captions[] = {"Cesky",         "Deutsch",  "English", "Espa\u00f1ol",
                            "Fran\u00e7ais", "Italiano", "Polski",  "Portugues"};
  for (std::size_t i = 0; i < kLanguageMenuOrder.size(); ++i) {
    EXPECT_EQ(kLanguages[static_cast<std::size_t>(kLanguageMenuOrder[i])].caption, captions[i]);
  }
  ASSERT_NE(FindLanguageByCode("cs"), nullptr);
  EXPECT_EQ(FindLanguageByCode("cs")->languageIndex, 7);
  EXPECT_EQ(FindLanguageByCode("nl"), nullptr);
}

}  // namespace
}  // namespace tesmora
