#include "shell/message_table.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

// Every message the program looks up has a name.
TEST(MessageTable, EveryUsedMessageHasATextInEveryLanguage) {
  for (const MessageId id : kNamedMessages) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      EXPECT_FALSE(MessageBytes(id, lang).empty()) << "message " << id << " language " << lang;
      EXPECT_LT(MessageBytes(id, lang).size(), kMessageBufferSize);
    }
  }
}

TEST(MessageTable, RowsNeverLookedUpExistAndAreEmpty) {
  int used = 0;
  for (int number = 0; number < kMessageCount; ++number) {
    const auto id = static_cast<MessageId>(number);
    const bool isUsed = std::find(std::begin(kNamedMessages), std::end(kNamedMessages), id) !=
                        std::end(kNamedMessages);
    used += isUsed;
    if (!isUsed) {
      for (int lang = 0; lang < kLanguageCount; ++lang) {
        EXPECT_TRUE(MessageBytes(id, lang).empty()) << id;
      }
    }
  }
  EXPECT_EQ(used, 135);
  EXPECT_TRUE(MessageBytes(static_cast<MessageId>(-1), kEnglish).empty());
  EXPECT_TRUE(MessageBytes(static_cast<MessageId>(kMessageCount), kEnglish).empty());
  EXPECT_TRUE(MessageBytes(msg::kConfirmation, kLanguageCount).empty());
}

TEST(MessageTable, EnglishAndFrenchKeepTheirBlanksAndBytes) {
  EXPECT_EQ(MessageBytes(msg::kConfirmation, kFrench), "  CONFIRMATION   ");
  EXPECT_EQ(MessageBytes(msg::kFilesListed, kEnglish), " File(s)");
  EXPECT_EQ(MessageBytes(msg::kResultsTitle, kEnglish), " RESULTS  ");
  EXPECT_EQ(MessageBytes(msg::kResultsTitle, kFrench), "RESULTATS ");
  EXPECT_EQ(MessageBytes(msg::kSampleLabel, kEnglish), "SAMPLE   :");
  EXPECT_EQ(MessageBytes(msg::kFileNotDeleted, kEnglish), "File cannot be deleated");
  // Code page 1252 bytes for the program's own texts...
  EXPECT_EQ(MessageBytes(msg::kExitQuestion, kFrench), "Voulez-vous vraiment quitter Tesmora ?");
  EXPECT_EQ(MessageBytes(msg::kFilesSelected, kFrench), " fichier(s) s\xe9lectionn\xe9(s)");
  EXPECT_EQ(MessageBytes(msg::kPrintPreviewMenu, kFrench), "Aper\xe7u avant impression");
  // ...and the message's code page decides how it is shown.
  EXPECT_EQ(MessageUtf8(msg::kDegradationColumn, kFrench), "D\u00e9gradation");
  EXPECT_EQ(MessageUtf8(msg::kCompany, kFrench), "Soci\u00e9t\u00e9");
}

TEST(MessageTable, PortugueseRecorderTextKeepsItsCodePage850Byte) {
  // 'Ç' is 0x80 in code page 850; the lookup returns it as stored.
  EXPECT_NE(MessageBytes(msg::kDegradationLabel, kPortuguese).find('\x80'), std::string_view::npos);
  EXPECT_EQ(MessageCodePage(msg::kDegradationLabel), CodePage::Dos850);
  EXPECT_EQ(MessageCodePage(kFirstWindowsMessage - 1), CodePage::Dos850);
  EXPECT_EQ(MessageCodePage(kFirstWindowsMessage), CodePage::Windows1252);
  EXPECT_NE(MessageUtf8(msg::kDegradationLabel, kPortuguese).find("\u00c7"), std::string::npos);
}

TEST(MessageTable, GetMessageTextCopiesWithTerminator) {
  char buffer[kMessageBufferSize];
  std::memset(buffer, 'x', sizeof buffer);
  GetMessageText(msg::kFilesListed, kFrench, buffer);
  EXPECT_STREQ(buffer, " Fichier(s)");
  // The row before a named message that has no block: an empty row.
  GetMessageText(static_cast<MessageId>(msg::kConfirmation - 1), kFrench, buffer);
  EXPECT_STREQ(buffer, "");
}

TEST(MessageTable, MenuCaptionsKeepOneAccelerator) {
  for (const MessageId id :
       {msg::kFileMenu, msg::kNewFolderMenu, msg::kDeleteMenu, msg::kUpdateMenu, msg::kExportMenu,
        msg::kExitMenu, msg::kConfigurationMenu, msg::kEditMenu, msg::kCopyMenu, msg::kPasteMenu,
        msg::kSelectAllMenu, msg::kOptionsMenu, msg::kDeletePopup}) {
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
  for (const MessageId id : {msg::kResultsTitle,
                             msg::kParametersTitle,
                             msg::kSampleLabel,
                             msg::kFlourLabel,
                             msg::kLabTemperatureLabel,
                             msg::kHygrometryLabel,
                             msg::kMoistureLabel,
                             msg::kFallingNumberLabel,
                             msg::kProteinLabel,
                             msg::kStarchDamageLabel,
                             msg::kZelenyLabel,
                             msg::kAshLabel,
                             msg::kWaterAbsorptionLabel,
                             msg::kExtractionLabel,
                             msg::kWxLengthLabel,
                             msg::kMillLabel,
                             msg::kCommentsLabel,
                             msg::kSampleIdLabel,
                             msg::kFileNameLabel,
                             msg::kCustomerLabel,
                             msg::kHalfScale,
                             msg::kGlutenLabel}) {
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
    const std::string_view text = MessageBytes(msg::kConfirmation, lang);
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
  for (const MessageId id : kNamedMessages) {
    if (id < kFirstWindowsMessage) continue;  // recorder texts and padded result labels
    for (int lang = kSpanish; lang < kLanguageCount; ++lang) {
      EXPECT_EQ(MessageUtf8(id, lang).find(" :"), std::string::npos)
          << "message " << id << " language " << lang << " \"" << MessageUtf8(id, lang) << "\"";
    }
  }
}

// The build-time encoder must refuse what would give wrong bytes.
int RunEncoder(const testing::TempDir& dir, const std::string& table, std::string& errors) {
  testing::WriteBytes(dir.File("messages.txt"), table);
  const std::string command = std::string(MAKE_MESSAGE_TABLE) + " " + dir.File("messages.txt") +
                              " " + dir.File("out.cpp") + " " + dir.File("ids.h") + " 2>" +
                              dir.File("err.txt");
  const int status = std::system(command.c_str());
  errors = testing::ReadBytes(dir.File("err.txt"));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunEncoder(const std::string& table, std::string& errors) {
  testing::TempDir dir;
  return RunEncoder(dir, table, errors);
}

// A block with a text in every language of the language table.
std::string Block(const std::string& head, const std::string& portuguese = "e") {
  std::string block = head + "\n";
  for (const LanguageEntry& language : kLanguages) {
    block += std::string(language.isoCode) + " \"" +
             (language.languageIndex == kPortuguese ? portuguese : "text") + "\"\n";
  }
  return block;
}

TEST(MessageTableEncoder, RefusesWhatWouldGiveWrongBytes) {
  const std::string good = Block("@1 Degradation", "DEGRADA\u00c7\u00c3O");
  std::string errors;
  EXPECT_EQ(RunEncoder(good, errors), 0) << errors;

  const struct {
    const char* name;
    std::string table;
    std::string error;
  } cases[] = {
      {"Polish letter in 850", "@1 Letter\nfr \"\u0142\"\n", "U+0142 has no byte in code page 850"},
      {"Czech letter in 1252", "@300 Letter\nfr \"\u0159\"\n",
       "U+0159 has no byte in code page 1252"},
      {"missing language", "@1 Short\nfr \"a\"\nen \"b\"\n",
       "has 2 of its " + std::to_string(kLanguageCount) + " languages"},
      {"wrong order", "@1 Order\nen \"a\"\n", "expected fr"},
      {"number out of range", "@" + std::to_string(kMessageCount) + " Beyond\n",
       "bad message number"},
      {"number with a sign", "@+1 Signed\n", "bad message number"},
      {"numbers going down", good + "@0 Before\n", "must go up"},
      {"too long", "@1 Long\nfr \"" + std::string(128, 'a') + "\"\n", "longer than 127"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunEncoder(c.table, errors), 1) << c.name;
    EXPECT_NE(errors.find(c.error), std::string::npos) << c.name << ": " << errors;
  }
}

// The names become identifiers of every layer: one name per block, each a
// valid identifier once "k" is put before it, and no name twice.
TEST(MessageTableEncoder, RefusesMissingBadAndRepeatedNames) {
  const struct {
    const char* name;
    std::string table;
    std::string error;
  } cases[] = {
      {"no name", Block("@1"), "message 1 has no name"},
      {"blank but no name", Block("@1 "), "message 1 has no name"},
      {"lower-case start", Block("@1 removeFile"), "bad message name \"removeFile\""},
      {"underscore", Block("@1 Remove_File"), "bad message name \"Remove_File\""},
      {"two words", Block("@1 Remove File"), "bad message name \"Remove File\""},
      {"digit first", Block("@1 2Lines"), "bad message name \"2Lines\""},
      {"accented letter", Block("@1 D\u00e9gradation"), "bad message name"},
      {"same name twice", Block("@1 Yes") + Block("@5 Yes"), "name Yes is already message 1"},
  };
  for (const auto& c : cases) {
    std::string errors;
    EXPECT_EQ(RunEncoder(c.table, errors), 1) << c.name;
    EXPECT_NE(errors.find(c.error), std::string::npos) << c.name << ": " << errors;
  }
}

TEST(MessageTableEncoder, HeaderNamesEachMessageAndTheCount) {
  testing::TempDir dir;
  std::string errors;
  ASSERT_EQ(RunEncoder(dir, Block("@2 Line2") + Block("@279 RemoveFiles"), errors), 0) << errors;
  const std::string header = testing::ReadBytes(dir.File("ids.h"));
  EXPECT_NE(header.find("  kLine2 = 2,\n  kRemoveFiles = 279,\n"), std::string::npos) << header;
  EXPECT_NE(header.find("kMessageCount = " + std::to_string(kMessageCount) + ";"),
            std::string::npos)
      << header;
  EXPECT_NE(header.find("msg::kLine2,\n    msg::kRemoveFiles,\n"), std::string::npos) << header;
}

// A new translation must not rebuild every file that names a message: the
// header is left untouched while the names stay, and rewritten when they change.
TEST(MessageTableEncoder, HeaderRewrittenOnlyWhenTheNamesChange) {
  testing::TempDir dir;
  std::string errors;
  ASSERT_EQ(RunEncoder(dir, Block("@2 Line2"), errors), 0) << errors;
  const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  std::filesystem::last_write_time(dir.File("ids.h"), longAgo);

  ASSERT_EQ(RunEncoder(dir, Block("@2 Line2", "other"), errors), 0) << errors;
  EXPECT_NE(testing::ReadBytes(dir.File("out.cpp")).find("other"), std::string::npos);
  EXPECT_EQ(std::filesystem::last_write_time(dir.File("ids.h")), longAgo);

  ASSERT_EQ(RunEncoder(dir, Block("@2 FirstLine", "other"), errors), 0) << errors;
  EXPECT_NE(std::filesystem::last_write_time(dir.File("ids.h")), longAgo);
  EXPECT_NE(testing::ReadBytes(dir.File("ids.h")).find("kFirstLine = 2"), std::string::npos);
}

}  // namespace
}  // namespace tesmora
