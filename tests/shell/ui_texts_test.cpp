#include "shell/ui_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/languages.h"

namespace tesmora {
namespace {

TEST(UiTexts, EveryLanguageHasEveryTextAndNoTwoTextsOfALanguageAreTheSame) {
  for (int language = 0; language < static_cast<int>(kLanguages.size()); ++language) {
    std::set<std::string> seen;
    for (int id = 0; id < kUiTextCount; ++id) {
      const std::string_view text = UiTextUtf8(static_cast<UiText>(id), language);
      EXPECT_FALSE(text.empty()) << "text " << id << " language " << language;
      // Two controls sharing a name could not be told apart by a screen reader.
      EXPECT_TRUE(seen.insert(std::string(text)).second)
          << "text " << id << " language " << language << ": " << text;
    }
  }
}

TEST(UiTexts, FrenchAndEnglishReadAsWritten) {
  EXPECT_EQ(UiTextUtf8(UiText::PcFolders, 0), "Dossiers de l'ordinateur");
  EXPECT_EQ(UiTextUtf8(UiText::PcFolders, 1), "Folders of the computer");
  EXPECT_EQ(UiTextUtf8(UiText::RecorderFiles, 1), "Files on the KALDIRONE");
  EXPECT_EQ(UiTextUtf8(UiText::RemovableDrive, 0), "Support amovible");
  EXPECT_EQ(UiTextUtf8(UiText::RemovableDrive, 1), "Removable drive");
  EXPECT_EQ(UiTextUtf8(UiText::NetworkShare, 0), "Dossier partagé");
  // An index outside the table falls back to English.
  EXPECT_EQ(UiTextUtf8(UiText::Cancel, 8), "Cancel");
  EXPECT_EQ(UiTextUtf8(UiText::Cancel, -1), "Cancel");
}

}  // namespace
}  // namespace tesmora
