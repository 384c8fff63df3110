#include "shell/count_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "shell/languages.h"

namespace tesmora {
namespace {

constexpr std::array<int, 6> kCounts{0, 1, 2, 5, 12, 22};

struct LanguageCounts {
  int language;
  std::array<const char*, 6> listed, selected;  // for kCounts, in order
};

// What the status bar reads after each count. English and French keep their
// stored "(s)" texts; Czech puts the count after a label.
const LanguageCounts kExpected[] = {
    {kFrench,
     {"0 Fichier(s)", "1 Fichier(s)", "2 Fichier(s)", "5 Fichier(s)", "12 Fichier(s)",
      "22 Fichier(s)"},
     {"0 fichier(s) sélectionné(s)", "1 fichier(s) sélectionné(s)", "2 fichier(s) sélectionné(s)",
      "5 fichier(s) sélectionné(s)", "12 fichier(s) sélectionné(s)",
      "22 fichier(s) sélectionné(s)"}},
    {kEnglish,
     {"0 File(s)", "1 File(s)", "2 File(s)", "5 File(s)", "12 File(s)", "22 File(s)"},
     {"0 Selected file(s)", "1 Selected file(s)", "2 Selected file(s)", "5 Selected file(s)",
      "12 Selected file(s)", "22 Selected file(s)"}},
    {kSpanish,
     {"0 archivos", "1 archivo", "2 archivos", "5 archivos", "12 archivos", "22 archivos"},
     {"0 archivos seleccionados", "1 archivo seleccionado", "2 archivos seleccionados",
      "5 archivos seleccionados", "12 archivos seleccionados", "22 archivos seleccionados"}},
    {kItalian,
     {"0 file", "1 file", "2 file", "5 file", "12 file", "22 file"},
     {"0 file selezionati", "1 file selezionato", "2 file selezionati", "5 file selezionati",
      "12 file selezionati", "22 file selezionati"}},
    {kPortuguese,
     {"0 ficheiros", "1 ficheiro", "2 ficheiros", "5 ficheiros", "12 ficheiros", "22 ficheiros"},
     {"0 ficheiros selecionados", "1 ficheiro selecionado", "2 ficheiros selecionados",
      "5 ficheiros selecionados", "12 ficheiros selecionados", "22 ficheiros selecionados"}},
    {kGerman,
     {"0 Dateien", "1 Datei", "2 Dateien", "5 Dateien", "12 Dateien", "22 Dateien"},
     {"0 Dateien ausgewählt", "1 Datei ausgewählt", "2 Dateien ausgewählt", "5 Dateien ausgewählt",
      "12 Dateien ausgewählt", "22 Dateien ausgewählt"}},
    {kPolish,
     {"0 plików", "1 plik", "2 pliki", "5 plików", "12 plików", "22 pliki"},
     {"0 zaznaczonych plików", "1 zaznaczony plik", "2 zaznaczone pliki", "5 zaznaczonych plików",
      "12 zaznaczonych plików", "22 zaznaczone pliki"}},
    {kCzech,
     {"Soubory: 0", "Soubory: 1", "Soubory: 2", "Soubory: 5", "Soubory: 12", "Soubory: 22"},
     {"Vybráno: 0", "Vybráno: 1", "Vybráno: 2", "Vybráno: 5", "Vybráno: 12", "Vybráno: 22"}},
};

TEST(CountTexts, EveryLanguageReadsRightForEachCount) {
  for (const LanguageCounts& expected : kExpected) {
    for (std::size_t i = 0; i < kCounts.size(); ++i) {
      EXPECT_EQ(CountTextUtf8(CountedFiles::Listed, kCounts[i], expected.language),
                expected.listed[i])
          << "language " << expected.language;
      EXPECT_EQ(CountTextUtf8(CountedFiles::Selected, kCounts[i], expected.language),
                expected.selected[i])
          << "language " << expected.language;
    }
  }
}

TEST(CountTexts, PanelTellsTheSelectionWhenThereIsOne) {
  EXPECT_EQ(PanelCountTextUtf8(12, 0, kEnglish), "12 File(s)");
  EXPECT_EQ(PanelCountTextUtf8(12, 2, kEnglish), "2 Selected file(s)");
  EXPECT_EQ(PanelCountTextUtf8(0, 0, kFrench), "0 Fichier(s)");
  EXPECT_EQ(PanelCountTextUtf8(7, 3, kCzech), "Vybráno: 3");
}

TEST(CountTexts, PolishTeensTakeTheManyForm) {
  const struct {
    int count;
    PluralForm form;
  } cases[] = {{1, PluralForm::One},    {3, PluralForm::Few},     {4, PluralForm::Few},
               {11, PluralForm::Other}, {13, PluralForm::Other},  {14, PluralForm::Other},
               {21, PluralForm::Other}, {24, PluralForm::Few},    {101, PluralForm::Other},
               {104, PluralForm::Few},  {112, PluralForm::Other}, {1000, PluralForm::Other}};
  for (const auto& c : cases) EXPECT_EQ(PluralFormOf(c.count, kPolish), c.form) << c.count;
  EXPECT_EQ(CountTextUtf8(CountedFiles::Listed, 114, kPolish), "114 plików");
  EXPECT_EQ(CountTextUtf8(CountedFiles::Selected, 104, kPolish), "104 zaznaczone pliki");
}

}  // namespace
}  // namespace tesmora
