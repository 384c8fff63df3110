#include "shell/message_table.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

// Every message the program looks up.
constexpr std::array<int, 135> kUsedMessages{
    2,   3,   4,   9,   10,  31,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,
    46,  47,  48,  49,  54,  65,  66,  67,  68,  74,  114, 115, 116, 117, 118, 119, 126,
    153, 154, 169, 171, 172, 176, 182, 193, 207, 208, 209, 210, 218, 264, 265, 266, 267,
    268, 269, 270, 271, 272, 273, 274, 275, 276, 277, 278, 279, 280, 281, 282, 283, 284,
    285, 286, 287, 288, 289, 292, 293, 300, 302, 303, 304, 305, 306, 307, 308, 309, 310,
    311, 312, 313, 314, 315, 320, 321, 323, 324, 325, 327, 328, 329, 330, 331, 333, 334,
    335, 336, 337, 338, 339, 340, 341, 342, 343, 344, 345, 346, 347, 348, 349, 350, 353,
    354, 358, 359, 360, 361, 362, 363, 364, 365, 366, 367, 368, 369, 370, 371, 372};

TEST(MessageTable, EveryUsedMessageHasATextInEveryLanguage) {
  for (const int id : kUsedMessages) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      EXPECT_FALSE(MessageBytes(id, lang).empty()) << "message " << id << " language " << lang;
      EXPECT_LT(MessageBytes(id, lang).size(), kMessageBufferSize);
    }
  }
}

TEST(MessageTable, RowsNeverLookedUpExistAndAreEmpty) {
  int used = 0;
  for (int id = 0; id < kMessageCount; ++id) {
    const bool isUsed =
        std::find(kUsedMessages.begin(), kUsedMessages.end(), id) != kUsedMessages.end();
    used += isUsed;
    if (!isUsed) {
      for (int lang = 0; lang < kLanguageCount; ++lang) {
        EXPECT_TRUE(MessageBytes(id, lang).empty()) << id;
      }
    }
  }
  EXPECT_EQ(used, 135);
  EXPECT_TRUE(MessageBytes(-1, kEnglish).empty());
  EXPECT_TRUE(MessageBytes(kMessageCount, kEnglish).empty());
  EXPECT_TRUE(MessageBytes(74, 8).empty());
}

TEST(MessageTable, EnglishAndFrenchKeepTheirBlanksAndBytes) {
  EXPECT_EQ(MessageBytes(74, kFrench), "  CONFIRMATION   ");
  EXPECT_EQ(MessageBytes(267, kEnglish), " File(s)");
  EXPECT_EQ(MessageBytes(31, kEnglish), " RESULTS  ");
  EXPECT_EQ(MessageBytes(31, kFrench), "RESULTATS ");
  EXPECT_EQ(MessageBytes(36, kEnglish), "SAMPLE   :");
  EXPECT_EQ(MessageBytes(266, kEnglish), "File cannot be deleated");
  // Code page 1252 bytes for the program's own texts...
  EXPECT_EQ(MessageBytes(268, kFrench), "Voulez-vous vraiment quitter Tesmora ?");
  EXPECT_EQ(MessageBytes(271, kFrench), " fichier(s) s\xe9lectionn\xe9(s)");
  EXPECT_EQ(MessageBytes(361, kFrench), "Aper\xe7u avant impression");
  // ...and the message's code page decides how it is shown.
  EXPECT_EQ(MessageUtf8(330, kFrench), "D\u00e9gradation");
  EXPECT_EQ(MessageUtf8(363, kFrench), "Soci\u00e9t\u00e9");
}

TEST(MessageTable, PortugueseRecorderTextKeepsItsCodePage850Byte) {
  // 'Ç' is 0x80 in code page 850; the lookup returns it as stored.
  EXPECT_NE(MessageBytes(218, kPortuguese).find('\x80'), std::string_view::npos);
  EXPECT_EQ(MessageCodePage(218), CodePage::Dos850);
  EXPECT_EQ(MessageCodePage(263), CodePage::Dos850);
  EXPECT_EQ(MessageCodePage(264), CodePage::Windows1252);
  EXPECT_NE(MessageUtf8(218, kPortuguese).find("\u00c7"), std::string::npos);
}

TEST(MessageTable, GetMessageTextCopiesWithTerminator) {
  char buffer[kMessageBufferSize];
  std::memset(buffer, 'x', sizeof buffer);
  GetMessageText(267, kFrench, buffer);
  EXPECT_STREQ(buffer, " Fichier(s)");
  GetMessageText(73, kFrench, buffer);  // an empty row
  EXPECT_STREQ(buffer, "");
}

TEST(MessageTable, MenuCaptionsKeepOneAccelerator) {
  for (const int id : {336, 337, 338, 339, 340, 341, 342, 347, 348, 349, 350, 353, 360}) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      const std::string_view text = MessageBytes(id, lang);
      EXPECT_EQ(std::count(text.begin(), text.end(), '&'), 1) << id << " " << lang;
    }
  }
}

// Result labels are padded so that the colon and the value line up on the
// sheet and in the export: every language keeps the width of the English or
// the French label (code page 850 holds one byte per character).
TEST(MessageTable, PaddedLabelsKeepTheReferenceWidth) {
  for (const int id :
       {31, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 65, 66, 67, 68, 153, 154}) {
    const std::size_t english = MessageBytes(id, kEnglish).size();
    const std::size_t french = MessageBytes(id, kFrench).size();
    const bool endsWithColon = MessageBytes(id, kEnglish).back() == ':';
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      const std::string_view text = MessageBytes(id, lang);
      EXPECT_TRUE(text.size() == english || text.size() == french)
          << "message " << id << " language " << lang << " \"" << MessageUtf8(id, lang) << "\" is "
          << text.size() << " wide, not " << english << " or " << french;
      if (endsWithColon) {
        EXPECT_EQ(text.back(), ':') << id << " " << lang;
      }
    }
  }
}

TEST(MessageTable, ConfirmationKeepsItsBlanksInEveryLanguage) {
  for (int lang = 0; lang < kLanguageCount; ++lang) {
    const std::string_view text = MessageBytes(74, lang);
    ASSERT_GT(text.size(), 5u);
    EXPECT_EQ(text.substr(0, 2), "  ") << lang;
    EXPECT_NE(text[2], ' ') << lang;
    EXPECT_EQ(text.substr(text.size() - 3), "   ") << lang;
    EXPECT_NE(text[text.size() - 4], ' ') << lang;
  }
}

// The program's own texts in the six translations follow their languages'
// typography: no blank before a colon. French keeps its blank, and English
// stays as it was given.
TEST(MessageTable, TranslationsPutNoBlankBeforeAColon) {
  for (const int id : kUsedMessages) {
    if (id < 264) continue;  // recorder texts and padded result labels
    for (int lang = kSpanish; lang < kLanguageCount; ++lang) {
      EXPECT_EQ(MessageUtf8(id, lang).find(" :"), std::string::npos)
          << "message " << id << " language " << lang << " \"" << MessageUtf8(id, lang) << "\"";
    }
  }
}

// The build-time encoder must refuse what would give wrong bytes.
int RunEncoder(const std::string& table, std::string& errors) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("messages.txt"), table);
  const std::string command = std::string(MAKE_MESSAGE_TABLE) + " " + dir.File("messages.txt") +
                              " " + dir.File("out.cpp") + " 2>" + dir.File("err.txt");
  const int status = std::system(command.c_str());
  errors = testing::ReadBytes(dir.File("err.txt"));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MessageTableEncoder, RefusesWhatWouldGiveWrongBytes) {
  const std::string good =
      "@1\nfr \"a\"\nen \"b\"\nes \"c\"\nit \"d\"\npt \"DEGRADA\u00c7\u00c3O\"\nde \"f\"\npl "
      "\"g\"\ncs \"h\"\n";
  std::string errors;
  EXPECT_EQ(RunEncoder(good, errors), 0) << errors;

  const struct {
    const char* name;
    std::string table;
    const char* error;
  } cases[] = {
      {"Polish letter in 850", "@1\nfr \"\u0142\"\n", "U+0142 has no byte in code page 850"},
      {"Czech letter in 1252", "@300\nfr \"\u0159\"\n", "U+0159 has no byte in code page 1252"},
      {"missing language", "@1\nfr \"a\"\nen \"b\"\n", "has 2 of its 8 languages"},
      {"wrong order", "@1\nen \"a\"\n", "expected fr"},
      {"number out of range", "@" + std::to_string(kMessageCount) + "\n", "bad message number"},
      {"numbers going down", good + "@0\n", "must go up"},
      {"too long", "@1\nfr \"" + std::string(128, 'a') + "\"\n", "longer than 127"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunEncoder(c.table, errors), 1) << c.name;
    EXPECT_NE(errors.find(c.error), std::string::npos) << c.name << ": " << errors;
  }
}

}  // namespace
}  // namespace tesmora
