#pragma once

#include <string>
#include <string_view>

#include "shell/code_page.h"
#include "shell/languages.h"
#include "shell/message_code_page.h"
#include "shell/message_ids.h"

namespace tesmora {

// Every text the program shows, prints or exports is a message: a row of the
// table (0 to kMessageCount - 1) with one text per language, looked up by the
// name its block carries in messages.txt (msg::kConfirmation, ...). The table
// is shared with the recorder's own screens, so many rows are never looked up
// here and stay empty.

// The stored bytes of a message in a language (an index as LanguageIndex:
// 0 French, 1 English, 2 Spanish, 3 Italian, 4 Portuguese, 5 German,
// 6 Polish, 7 Czech). Out-of-range numbers give an empty text.
std::string_view MessageBytes(MessageId id, int languageIndex);

// Copies the message's bytes and a terminating zero into `buffer`, which holds
// at least kMessageBufferSize bytes. The bytes are returned unchanged, in the
// message's code page: export files are written with exactly these bytes.
void GetMessageText(MessageId id, int languageIndex, char* buffer);

// The message as UTF-8, decoded by its own code page, for the screen.
std::string MessageUtf8(MessageId id, int languageIndex);
// The same in the language of the user interface.
std::string MessageUtf8(MessageId id, const LanguageState& language);

}  // namespace tesmora
