#include "platform/locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "support/user_locale.h"

namespace tesmora::platform {
namespace {

TEST(LocaleIdFromPosixName, MapsLanguageAndCountry) {
  const struct {
    const char* name;
    std::uint32_t id;
  } cases[] = {
      {"fr_FR.UTF-8", 0x040C},
      {"fr_CH.UTF-8", 0x100C},
      {"en_GB.UTF-8", 0x0809},
      {"en_US", 0x0409},
      {"de_DE@euro", 0x0407},
      {"de_AT.ISO-8859-1@euro", 0x0C07},
      {"pt_PT.UTF-8", 0x0816},
      {"pt_BR.UTF-8", 0x0416},
      {"es_ES.UTF-8", 0x0C0A},
      {"it_IT", 0x0410},
      {"pl_PL.UTF-8", 0x0415},
      {"cs_CZ.UTF-8", 0x0405},
      {"nl_NL.UTF-8", 0x0413},
      {"C", 0x0409},
      {"POSIX", 0x0409},
      {"C.UTF-8", 0x0409},
      {"", 0x0409},
      {"xx_YY", 0x0409},
  };
  for (const auto& c : cases) EXPECT_EQ(LocaleIdFromPosixName(c.name), c.id) << c.name;
}

TEST(IsoLanguageOfLocaleId, ReadsThePrimaryLanguageOnly) {
  EXPECT_EQ(IsoLanguageOfLocaleId(0x040C), "fr");
  EXPECT_EQ(IsoLanguageOfLocaleId(0x0816), "pt");  // Portugal, as the language menu sets it
  EXPECT_EQ(IsoLanguageOfLocaleId(0x0413), "nl");
  EXPECT_EQ(IsoLanguageOfLocaleId(0x0809), "en");
  EXPECT_EQ(IsoLanguageOfLocaleId(0x0417), "");  // no code here for this language
  // Every language the table maps a locale name to comes back the same way.
  for (const char* name : {"fr_FR", "de_AT", "pt_BR", "cs_CZ", "pl_PL", "sv_SE", "uk_UA"}) {
    EXPECT_EQ(IsoLanguageOfLocaleId(LocaleIdFromPosixName(name)), std::string_view(name, 2))
        << name;
  }
}

TEST(UserDefaultLocaleId, FollowsTheEnvironmentInItsOrder) {
  ::setenv("LC_ALL", "", 1);
  ::setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
  ::setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(UserDefaultLocaleId(), 0x0407u);
  ::setenv("LC_ALL", "cs_CZ.UTF-8", 1);
  EXPECT_EQ(UserDefaultLocaleId(), 0x0405u);
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  EXPECT_EQ(UserDefaultLocaleId(), 0x040Cu);
  ::unsetenv("LANG");
  EXPECT_EQ(UserDefaultLocaleId(), kLocaleEnglishUS);
}

using tesmora::testing::LocaleInstalled;
using tesmora::testing::UserLocale;

std::vector<std::string> SortedForUser(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    return CompareTextsForUser(a, b) < 0;
  });
  return texts;
}

class CollationInLocale : public ::testing::TestWithParam<const char*> {};

TEST_P(CollationInLocale, LettersSortAlphabeticallyWhateverTheirCaseOrAccent) {
  if (!LocaleInstalled(GetParam())) GTEST_SKIP() << GetParam() << " is not installed";
  const UserLocale user(GetParam());
  EXPECT_EQ(SortedForUser({"zeta", "\u00C9mile", "Banana", "apple", ""}),
            (std::vector<std::string>{"", "apple", "Banana", "\u00C9mile", "zeta"}));
  // Case still counts: two texts that differ only by it are not equal.
  EXPECT_NE(CompareTextsForUser("apple", "Apple"), 0);
  EXPECT_EQ(CompareTextsForUser("Apple", "Apple"), 0);
  EXPECT_LT(CompareTextsForUser("", "a"), 0);
  EXPECT_GT(CompareTextsForUser("a", ""), 0);
}

INSTANTIATE_TEST_SUITE_P(Utf8Locales, CollationInLocale,
                         ::testing::Values("en_US.UTF-8", "fr_FR.UTF-8"), [](const auto& info) {
                           std::string name = info.param;
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                               '_');
                           return name;
                         });

TEST(Collation, CLocaleAndAnUnknownLocaleCompareBytes) {
  for (const char* name : {"C", "xx_NOWHERE.UTF-8"}) {
    SCOPED_TRACE(name);
    const UserLocale user(name);
    EXPECT_EQ(SortedForUser({"zeta", "\u00C9mile", "Banana", "apple", ""}),
              (std::vector<std::string>{"", "Banana", "apple", "zeta", "\u00C9mile"}));
  }
}

TEST(DecimalSeparator, ByTheLanguageWhenTheLocaleIsNotInstalled) {
  const struct {
    std::uint32_t localeId;
    const char* separator;
  } cases[] = {{0x040C, ","}, {0x0409, "."}, {0x0809, "."}, {0x0407, ","},
               {0x0415, ","}, {0x0405, ","}, {0x0411, "."}, {0x03FF, "."}};
  for (const auto& c : cases) {
    EXPECT_EQ(DecimalSeparatorOfLocaleId(c.localeId), c.separator) << std::hex << c.localeId;
  }
}

TEST(DecimalSeparator, TheUsersNumbersFollowTheirLocale) {
  {
    const testing::UserLocale user("C");
    EXPECT_EQ(UserDecimalSeparator(), ".");
  }
  {
    // Not installed anywhere: the language decides.
    const testing::UserLocale user("pl_PL.NOSUCHSET");
    EXPECT_EQ(UserDecimalSeparator(), ",");
  }
  if (testing::LocaleInstalled("fr_FR.UTF-8")) {
    const testing::UserLocale user("fr_FR.UTF-8");
    EXPECT_EQ(UserDecimalSeparator(), ",");
  }
}

}  // namespace
}  // namespace tesmora::platform
