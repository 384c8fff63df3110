#include "shell/count_texts.h"

#include "shell/languages.h"
#include "shell/message_table.h"

namespace tesmora {
namespace {

// The messages of each count, by PluralForm.
struct CountMessages {
  MessageId one, few, other;
};
constexpr CountMessages kListedFiles{msg::kFilesListedOne, msg::kFilesListedFew, msg::kFilesListed};
constexpr CountMessages kSelectedFiles{msg::kFilesSelectedOne, msg::kFilesSelectedFew,
                                       msg::kFilesSelected};

MessageId MessageFor(const CountMessages& messages, PluralForm form) {
  switch (form) {
    case PluralForm::One:
      return messages.one;
    case PluralForm::Few:
      return messages.few;
    case PluralForm::Other:
      break;
  }
  return messages.other;
}

}  // namespace

PluralForm PluralFormOf(int count, int languageIndex) {
  const int lastDigit = count % 10, lastTwo = count % 100;
  switch (languageIndex) {
    case kFrench:
      // French counts zero as singular.
      return count == 0 || count == 1 ? PluralForm::One : PluralForm::Other;
    case kPolish:
      if (count == 1) return PluralForm::One;
      return lastDigit >= 2 && lastDigit <= 4 && (lastTwo < 12 || lastTwo > 14) ? PluralForm::Few
                                                                                : PluralForm::Other;
    case kCzech:
      if (count == 1) return PluralForm::One;
      return count >= 2 && count <= 4 ? PluralForm::Few : PluralForm::Other;
    default:
      return count == 1 ? PluralForm::One : PluralForm::Other;
  }
}

std::string CountTextUtf8(CountedFiles what, int count, int languageIndex) {
  const CountMessages& messages = what == CountedFiles::Selected ? kSelectedFiles : kListedFiles;
  const std::string words =
      MessageUtf8(MessageFor(messages, PluralFormOf(count, languageIndex)), languageIndex);
  const std::string number = std::to_string(count);
  const bool isLabel = !words.empty() && words.front() != ' ' && words.back() == ' ';
  return isLabel ? words + number : number + words;
}

std::string PanelCountTextUtf8(int listedCount, int selectedCount, int languageIndex) {
  return selectedCount > 0 ? CountTextUtf8(CountedFiles::Selected, selectedCount, languageIndex)
                           : CountTextUtf8(CountedFiles::Listed, listedCount, languageIndex);
}

}  // namespace tesmora
