#pragma once

#include <string>

// The file counts of the status bar, worded for the count in each language.
namespace tesmora {

// Which word a count takes: the form after one, the Polish form after 2 to 4
// (but not 12 to 14), or the form of every other count.
enum class PluralForm { One, Few, Other };
PluralForm PluralFormOf(int count, int languageIndex);

enum class CountedFiles {
  Listed,    // "12 File(s)": the files of a list
  Selected,  // "3 Selected file(s)": the rows selected in it
};

// The count and its words, as UTF-8 for the status bar. The table's text
// follows the count when it begins with a blank; a text ending with a blank
// is a label that the count follows instead ("Vybráno: 3").
std::string CountTextUtf8(CountedFiles what, int count, int languageIndex);

// A list's status panel: the count of its selection when there is one, else
// the count of its files.
std::string PanelCountTextUtf8(int listedCount, int selectedCount, int languageIndex);

}  // namespace tesmora
