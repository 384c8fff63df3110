#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tesmora {

// The two 8-bit code pages of the message table: the recorder's screens and
// the result labels use DOS code page 850, the program's own texts Windows
// code page 1252. Texts are stored and exported as these bytes; they are
// decoded to Unicode only to be shown or drawn.
enum class CodePage { Dos850, Windows1252 };

char32_t DecodeByte(CodePage page, unsigned char byte);
std::string DecodeToUtf8(std::string_view bytes, CodePage page);

// The byte of a character in the code page, or nothing when it has none.
std::optional<unsigned char> EncodeChar(CodePage page, char32_t c);

struct EncodeResult {
  bool ok = true;
  std::string bytes;          // the encoded text, complete when ok
  std::size_t badOffset = 0;  // byte offset in the UTF-8 input of the first failure
  char32_t badChar = 0;       // the character that has no byte (U+FFFD for bad UTF-8)
};

// Encodes UTF-8 text; fails at the first character the code page cannot hold
// or at the first malformed UTF-8 sequence.
EncodeResult EncodeFromUtf8(std::string_view utf8, CodePage page);

}  // namespace tesmora
