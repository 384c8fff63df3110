#include "platform/locale.h"

#include <langinfo.h>
#include <locale.h>
#include <string.h>

#include <array>
#include <cstdlib>
#include <mutex>
#include <string>

namespace tesmora::platform {

namespace {

struct LanguageCode {
  std::string_view iso;
  std::uint32_t primary;
};

// ISO 639-1 codes and their Windows primary language numbers.
constexpr std::array<LanguageCode, 36> kLanguages{{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
    {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
    {"nl", 0x13}, {"nb", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18},
    {"ru", 0x19}, {"hr", 0x1A}, {"sk", 0x1B}, {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E},
    {"tr", 0x1F}, {"uk", 0x22}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27},
}};

struct SubLanguage {
  std::string_view locale;  // language_COUNTRY
  std::uint32_t sub;
};

// Countries whose sub-language is not the default one (1).
constexpr std::array<SubLanguage, 17> kSubLanguages{{
    {"en_GB", 2},
    {"en_AU", 3},
    {"en_CA", 4},
    {"en_NZ", 5},
    {"en_IE", 6},
    {"en_ZA", 7},
    {"fr_BE", 2},
    {"fr_CA", 3},
    {"fr_CH", 4},
    {"fr_LU", 5},
    {"de_CH", 2},
    {"de_AT", 3},
    {"de_LU", 4},
    {"it_CH", 2},
    {"pt_PT", 2},
    {"es_ES", 3},
    {"nl_BE", 2},
}};

}  // namespace

std::uint32_t LocaleIdFromPosixName(std::string_view name) {
  // Drop the code set and the modifier: "de_AT.UTF-8@euro" -> "de_AT".
  if (const std::size_t cut = name.find_first_of(".@"); cut != std::string_view::npos) {
    name = name.substr(0, cut);
  }
  const std::string_view language = name.substr(0, name.find('_'));
  for (const LanguageCode& code : kLanguages) {
    if (code.iso != language) continue;
    std::uint32_t sub = 1;
    for (const SubLanguage& entry : kSubLanguages) {
      if (entry.locale == name) sub = entry.sub;
    }
    return (sub << 10) | code.primary;
  }
  return kLocaleEnglishUS;
}

std::string_view IsoLanguageOfLocaleId(std::uint32_t localeId) {
  const std::uint32_t primary = localeId & 0x3FF;
  for (const LanguageCode& code : kLanguages) {
    if (code.primary == primary) return code.iso;
  }
  return {};
}

std::uint32_t UserDefaultLocaleId() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LocaleIdFromPosixName(value);
  }
  return kLocaleEnglishUS;
}

namespace {

// The locale the user chose for one category: LC_ALL, the category's own
// variable or LANG, the first that is set and not empty; "C" without one.
std::string UserLocaleName(const char* categoryVariable) {
  for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

// The collation locale of the user, opened again only when the environment
// names another one (tests switch it; a program normally keeps one).
class UserCollation {
 public:
  ~UserCollation() { Release(); }
  int Compare(const std::string& a, const std::string& b) {
    std::lock_guard lock(mutex_);
    const std::string name = UserLocaleName("LC_COLLATE");
    if (!opened_ || name != name_) {
      Release();
      name_ = name;
      opened_ = true;
      locale_ = ::newlocale(LC_COLLATE_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    }
    if (locale_ == static_cast<locale_t>(nullptr)) return a.compare(b);
    return ::strcoll_l(a.c_str(), b.c_str(), locale_);
  }

 private:
  void Release() {
    if (locale_ != static_cast<locale_t>(nullptr)) ::freelocale(locale_);
    locale_ = static_cast<locale_t>(nullptr);
  }

  std::mutex mutex_;
  std::string name_;
  bool opened_ = false;
  locale_t locale_ = static_cast<locale_t>(nullptr);
};

}  // namespace

int CompareTextsForUser(std::string_view utf8a, std::string_view utf8b) {
  if (utf8a.empty() || utf8b.empty()) {
    return static_cast<int>(!utf8a.empty()) - static_cast<int>(!utf8b.empty());
  }
  static UserCollation collation;
  // strcoll stops at a zero byte; texts here never hold one.
  return collation.Compare(std::string(utf8a), std::string(utf8b));
}

std::string DecimalSeparatorOfLocaleId(std::uint32_t localeId) {
  // The languages here that write a point; the others of the table write a
  // comma.
  for (const std::string_view point : {"en", "zh", "ja", "ko", "he", "th"}) {
    if (IsoLanguageOfLocaleId(localeId) == point) return ".";
  }
  return IsoLanguageOfLocaleId(localeId).empty() ? "." : ",";
}

std::string UserDecimalSeparator() {
  const std::string name = UserLocaleName("LC_NUMERIC");
  const locale_t numeric =
      ::newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (numeric == static_cast<locale_t>(nullptr)) {
    return DecimalSeparatorOfLocaleId(LocaleIdFromPosixName(name));
  }
  std::string separator = ::nl_langinfo_l(RADIXCHAR, numeric);
  ::freelocale(numeric);
  return separator.empty() ? "." : separator;
}

}  // namespace tesmora::platform
