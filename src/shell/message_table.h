#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "shell/code_page.h"
#include "shell/languages.h"

namespace tesmora {

// Every text the program shows, prints or exports is a message: a number from
// 0 to 372 and one text per language. The table is shared with the recorder's
// own screens, so many rows are never looked up here and stay empty.
inline constexpr int kMessageCount = 373;
inline constexpr int kLanguageCount = 8;

// Callers hand GetMessageText a buffer of at least this many bytes; no text is
// longer than kMessageBufferSize - 1 bytes (the build checks it).
inline constexpr std::size_t kMessageBufferSize = 128;

// Messages below this number are recorder-screen and result texts in code
// page 850; from it on, the program's own texts in code page 1252.
inline constexpr int kFirstWindowsMessage = 264;

CodePage MessageCodePage(int id);

// The stored bytes of a message in a language (an index as LanguageIndex:
// 0 French, 1 English, 2 Spanish, 3 Italian, 4 Portuguese, 5 German,
// 6 Polish, 7 Czech). Out-of-range numbers give an empty text.
std::string_view MessageBytes(int id, int languageIndex);

// Copies the message's bytes and a terminating zero into `buffer`, which holds
// at least kMessageBufferSize bytes. The bytes are returned unchanged, in the
// message's code page: export files are written with exactly these bytes.
void GetMessageText(int id, int languageIndex, char* buffer);

// The message as UTF-8, decoded by its own code page, for the screen.
std::string MessageUtf8(int id, int languageIndex);
// The same in the language of the user interface.
std::string MessageUtf8(int id, const LanguageState& language);

}  // namespace tesmora
