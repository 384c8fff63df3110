// Build-time tool: turns the readable UTF-8 message table (src/shell/messages.txt)
// into a C++ source holding each text as the bytes of its code page.
//
//   make_message_table INPUT OUTPUT
//
// It refuses (exit status 1, with the file and line) a malformed block, a
// message number out of range or out of order, a text longer than 127 bytes,
// and a character that the message's code page cannot hold, so a bad
// translation stops the build instead of reaching a laboratory's exports.
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/code_page.h"
#include "shell/message_table.h"

namespace {

using tesmora::CodePage;

constexpr std::array<std::string_view, tesmora::kLanguageCount> kCodes{"fr", "en", "es", "it",
                                                                       "pt", "de", "pl", "cs"};

struct Failure {
  int line;
  std::string what;
};

std::string CharName(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

std::string CppLiteral(std::string_view bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += ch;
    } else if (b >= 0x20 && b < 0x7F && b != '?') {  // '?' kept out of trigraph reach
      out += ch;
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\%03o", b);
      out += buffer;
    }
  }
  return out + "\"";
}

// Parses the table; fills `texts` (id * 8 + language) or throws a Failure.
void Parse(std::istream& in, std::vector<std::string>& texts) {
  std::string line;
  int lineNumber = 0;
  int currentId = -1;
  int previousId = -1;
  std::size_t languagesSeen = tesmora::kLanguageCount;
  int blockLine = 0;
  auto closeBlock = [&]() {
    if (currentId >= 0 && languagesSeen != tesmora::kLanguageCount) {
      throw Failure{blockLine, "message " + std::to_string(currentId) + " has " +
                                   std::to_string(languagesSeen) + " of its 8 languages"};
    }
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '@') {
      closeBlock();
      int id = -1;
      try {
        std::size_t used = 0;
        id = std::stoi(line.substr(1), &used);
        if (used != line.size() - 1) id = -1;
      } catch (const std::exception&) {
        id = -1;
      }
      if (id < 0 || id >= tesmora::kMessageCount) throw Failure{lineNumber, "bad message number"};
      if (id <= previousId) throw Failure{lineNumber, "message numbers must go up"};
      currentId = previousId = id;
      languagesSeen = 0;
      blockLine = lineNumber;
      continue;
    }
    if (currentId < 0 || languagesSeen >= tesmora::kLanguageCount) {
      throw Failure{lineNumber, "text outside a message block"};
    }
    const std::string_view expected = kCodes[languagesSeen];
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    if (line.compare(0, 3, std::string(expected) + " ") != 0 || open != 3 || close == open ||
        close != line.size() - 1) {
      throw Failure{lineNumber, "expected " + std::string(expected) + " \"text\""};
    }
    const std::string_view utf8 = std::string_view(line).substr(open + 1, close - open - 1);
    const CodePage page = tesmora::MessageCodePage(currentId);
    const tesmora::EncodeResult encoded = tesmora::EncodeFromUtf8(utf8, page);
    if (!encoded.ok) {
      throw Failure{lineNumber, "message " + std::to_string(currentId) + " (" +
                                    std::string(expected) + "): character " +
                                    CharName(encoded.badChar) + " has no byte in code page " +
                                    (page == CodePage::Dos850 ? "850" : "1252")};
    }
    if (encoded.bytes.size() >= tesmora::kMessageBufferSize) {
      throw Failure{lineNumber, "text longer than " +
                                    std::to_string(tesmora::kMessageBufferSize - 1) + " bytes"};
    }
    texts[static_cast<std::size_t>(currentId) * tesmora::kLanguageCount + languagesSeen] =
        encoded.bytes;
    ++languagesSeen;
  }
  closeBlock();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_message_table INPUT OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot be opened\n";
    return 1;
  }
  std::vector<std::string> texts(static_cast<std::size_t>(tesmora::kMessageCount) *
                                 tesmora::kLanguageCount);
  try {
    Parse(in, texts);
  } catch (const Failure& failure) {
    std::cerr << argv[1] << ":" << failure.line << ": error: " << failure.what << "\n";
    return 1;
  }

  std::ostringstream out;
  out << "// Generated from messages.txt by make_message_table at build time.\n"
         "#include \"shell/message_table.h\"\n\n"
         "namespace tesmora::detail {\n\n"
         "// Row-major: message id * 8 + language index.\n"
         "extern const char* const kMessageTexts[kMessageCount * kLanguageCount];\n"
         "const char* const kMessageTexts[kMessageCount * kLanguageCount] = {\n";
  for (int id = 0; id < tesmora::kMessageCount; ++id) {
    out << "    // " << id << "\n   ";
    for (int lang = 0; lang < tesmora::kLanguageCount; ++lang) {
      out << " " << CppLiteral(texts[static_cast<std::size_t>(id) * tesmora::kLanguageCount + lang])
          << ",";
    }
    out << "\n";
  }
  out << "};\n\n}  // namespace tesmora::detail\n";

  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << argv[2] << ": cannot be written\n";
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
