// Build-time tool: turns the readable UTF-8 message table (src/shell/messages.txt)
// into a C++ source holding each text as the bytes of its code page, and a
// header naming each message (shell/message_ids.h) that every layer includes.
//
//   make_message_table INPUT OUTPUT HEADER
//
// It refuses (exit status 1, with the file and line) a malformed block, a
// message number out of range or out of order, a block without a name, a
// name that is not CamelCase or that another block already has, a text longer
// than 127 bytes, and a character that the message's code page cannot hold,
// so a bad translation stops the build instead of reaching a laboratory's
// exports. The header is rewritten only when the names change, so that a new
// translation rebuilds the table and not every file that names a message.
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/code_page.h"
#include "shell/languages.h"
#include "shell/message_code_page.h"

namespace {

using tesmora::CodePage;
using tesmora::kLanguageCount;
using tesmora::kLanguages;

// The table has as many rows as the recorder's own message table, whose
// numbers it shares; this is the one place that says so (the header gives
// it to the code as kMessageCount).
constexpr int kRows = 373;

struct Message {
  int id;
  std::string name;
};

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

// A name as the header spells it after "k": a capital letter, then letters
// and digits.
bool IsCamelCase(std::string_view name) {
  const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  const auto alnum = [&](char c) {
    return upper(c) || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  };
  if (name.empty() || !upper(name.front())) return false;
  for (const char c : name) {
    if (!alnum(c)) return false;
  }
  return true;
}

// Parses the table; fills `texts` (id * languages + language) and `names`, or
// throws a Failure.
void Parse(std::istream& in, std::vector<std::string>& texts, std::vector<Message>& names) {
  std::string line;
  int lineNumber = 0;
  int currentId = -1;
  int previousId = -1;
  std::size_t languagesSeen = kLanguageCount;
  int blockLine = 0;
  auto closeBlock = [&]() {
    if (currentId >= 0 && languagesSeen != kLanguageCount) {
      throw Failure{blockLine, "message " + std::to_string(currentId) + " has " +
                                   std::to_string(languagesSeen) + " of its " +
                                   std::to_string(kLanguageCount) + " languages"};
    }
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '@') {
      closeBlock();
      const std::size_t blank = line.find(' ');
      const std::string number = line.substr(1, blank == std::string::npos ? blank : blank - 1);
      int id = -1;
      try {
        std::size_t used = 0;
        id = std::stoi(number, &used);
        if (used != number.size() || !(number[0] >= '0' && number[0] <= '9')) id = -1;
      } catch (const std::exception&) {
        id = -1;
      }
      if (id < 0 || id >= kRows) throw Failure{lineNumber, "bad message number"};
      if (id <= previousId) throw Failure{lineNumber, "message numbers must go up"};
      const std::string name = blank == std::string::npos ? "" : line.substr(blank + 1);
      if (name.empty()) throw Failure{lineNumber, "message " + number + " has no name"};
      if (!IsCamelCase(name)) {
        throw Failure{lineNumber, "bad message name \"" + name +
                                      "\": a capital letter, then letters and digits"};
      }
      for (const Message& other : names) {
        if (other.name == name) {
          throw Failure{lineNumber,
                        "name " + name + " is already message " + std::to_string(other.id)};
        }
      }
      names.push_back({id, name});
      currentId = previousId = id;
      languagesSeen = 0;
      blockLine = lineNumber;
      continue;
    }
    if (currentId < 0 || languagesSeen >= kLanguageCount) {
      throw Failure{lineNumber, "text outside a message block"};
    }
    const std::string_view expected = kLanguages[languagesSeen].isoCode;
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
    texts[static_cast<std::size_t>(currentId) * kLanguageCount + languagesSeen] = encoded.bytes;
    ++languagesSeen;
  }
  closeBlock();
}

std::string TableSource(const std::vector<std::string>& texts) {
  std::ostringstream out;
  out << "// Generated from messages.txt by make_message_table at build time.\n"
         "#include \"shell/message_table.h\"\n\n"
         "namespace tesmora::detail {\n\n"
         "// Row-major: message id * kLanguageCount + language index.\n"
         "extern const char* const kMessageTexts[kMessageCount * kLanguageCount];\n"
         "const char* const kMessageTexts[kMessageCount * kLanguageCount] = {\n";
  for (int id = 0; id < kRows; ++id) {
    out << "    // " << id << "\n   ";
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      out << " " << CppLiteral(texts[static_cast<std::size_t>(id) * kLanguageCount + lang]) << ",";
    }
    out << "\n";
  }
  out << "};\n\n}  // namespace tesmora::detail\n";
  return out.str();
}

std::string IdsHeader(const std::vector<Message>& names) {
  std::ostringstream out;
  out << "// Generated from messages.txt by make_message_table at build time: name a\n"
         "// message there, beside its number.\n"
         "#pragma once\n\n"
         "namespace tesmora {\n\n"
         "// The rows of the message table; a message's id is below this.\n"
         "inline constexpr int kMessageCount = "
      << kRows
      << ";\n\n"
         "namespace msg {\n\n"
         "// Every message the program looks up. A plain number does not convert to\n"
         "// an Id, so each lookup names its message.\n"
         "enum Id : int {\n";
  for (const Message& message : names) out << "  k" << message.name << " = " << message.id << ",\n";
  out << "};\n\n"
         "}  // namespace msg\n\n"
         "using MessageId = msg::Id;\n\n"
         "// Every named message, in the order of their numbers.\n"
         "inline constexpr MessageId kNamedMessages[] = {\n";
  for (const Message& message : names) out << "    msg::k" << message.name << ",\n";
  out << "};\n\n"
         "}  // namespace tesmora\n";
  return out.str();
}

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return in ? bytes.str() : std::string();
}

bool Write(const char* path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  file.close();
  if (!file) {
    std::cerr << path << ": cannot be written\n";
    std::remove(path);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_message_table INPUT OUTPUT HEADER\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot be opened\n";
    return 1;
  }
  std::vector<std::string> texts(static_cast<std::size_t>(kRows) * kLanguageCount);
  std::vector<Message> names;
  try {
    Parse(in, texts, names);
  } catch (const Failure& failure) {
    std::cerr << argv[1] << ":" << failure.line << ": error: " << failure.what << "\n";
    return 1;
  }
  if (!Write(argv[2], TableSource(texts))) return 1;
  const std::string header = IdsHeader(names);
  if (ReadAll(argv[3]) != header && !Write(argv[3], header)) return 1;
  return 0;
}
