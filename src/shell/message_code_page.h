#pragma once

#include <cstddef>

#include "shell/code_page.h"

namespace tesmora {

// Callers hand GetMessageText a buffer of at least this many bytes; no text is
// longer than kMessageBufferSize - 1 bytes (the build checks it).
inline constexpr std::size_t kMessageBufferSize = 128;

// Messages below this number are recorder-screen and result texts in code
// page 850; from it on, the program's own texts in code page 1252.
inline constexpr int kFirstWindowsMessage = 264;

// Takes the plain number too: the table's generator asks it before any
// message has a name.
CodePage MessageCodePage(int id);

}  // namespace tesmora
