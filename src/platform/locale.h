#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tesmora::platform {

// Windows-style locale identifiers: the low 10 bits are the primary language
// (9 English, 12 French...), the next 6 bits the sub-language (the country).
// The recorder's message boxes and the language choice are defined in these
// terms, so the POSIX locale is translated into one.
inline constexpr std::uint32_t kLocaleEnglishUS = 0x0409;

// The identifier for a POSIX locale name such as "fr_FR.UTF-8", "de_AT@euro",
// "pt_BR" or "C". Unknown languages and the C/POSIX locale give English (US).
std::uint32_t LocaleIdFromPosixName(std::string_view name);

// The ISO 639-1 code of a language identifier's primary language ("fr" for
// 0x040C and 0x080C), or an empty text for a language without one here.
std::string_view IsoLanguageOfLocaleId(std::uint32_t localeId);

// The user's default locale identifier, from LC_ALL, LC_MESSAGES or LANG,
// the first of them that is set and not empty.
std::uint32_t UserDefaultLocaleId();

// Compares two UTF-8 texts as the user's collation orders them (LC_ALL,
// LC_COLLATE or LANG, read at each call), case-sensitively: negative when a
// comes first, 0 when they are equal, positive otherwise. An empty text comes
// before any other. In the C locale, or one that is not installed, the bytes
// are compared.
int CompareTextsForUser(std::string_view utf8a, std::string_view utf8b);

// The decimal separator a language writes, for a locale that is not
// installed: "." for English and the other languages that write a point, ","
// for the rest of the table, "." for a language it does not hold.
std::string DecimalSeparatorOfLocaleId(std::uint32_t localeId);

// The decimal separator of the user's numbers (LC_ALL, LC_NUMERIC or LANG):
// the installed locale's, else the language's.
std::string UserDecimalSeparator();

}  // namespace tesmora::platform
