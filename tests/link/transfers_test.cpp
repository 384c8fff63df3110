#include "link/transfers.h"

#include <gtest/gtest.h>

#include <cctype>

#include "link/startup_sequence.h"
#include "link_fakes.h"
#include "shell/message_table.h"
#include "support/temp_dir.h"

namespace tesmora::link {
namespace {

TEST(Transfers, RecorderFormatIsANumberInCharacters10To12) {
  EXPECT_TRUE(IsRecorderFormatName("03151234.312"));
  EXPECT_FALSE(IsRecorderFormatName("readme.txt"));
  EXPECT_FALSE(IsRecorderFormatName("03151234.3A2"));
  EXPECT_FALSE(IsRecorderFormatName("0315.312"));
  // Read as an integer, the way the File menu's Export reads it: a sign counts.
  EXPECT_TRUE(IsRecorderFormatName("abcdefgh.-12"));
  EXPECT_FALSE(IsRecorderFormatName("abcdefgh.12 "));
  EXPECT_TRUE(AcceptsDropOnRecorderList({"03151234.312", "01011111.111"}, false));
  EXPECT_FALSE(AcceptsDropOnRecorderList({"03151234.312", "readme.txt"}, false));
  EXPECT_TRUE(AcceptsDropOnRecorderList({"readme.txt"}, true));
}

TEST(Transfers, DrivePrefixFollowsTheMemoryChoice) {
  EXPECT_EQ(DrivePrefixFor(0, 'E'), "");
  EXPECT_EQ(DrivePrefixFor(1, 'E'), "c:");
  EXPECT_EQ(DrivePrefixFor(2, 'E'), "E:");
  EXPECT_EQ(DrivePrefixFor(2, 0), "");
  EXPECT_EQ(FlashMemoryItemText('E'), "E (Flash)");
}

// The flash drive letter comes from the first byte of "flash.cnf", which may
// be anything: what is no letter is no letter, and the memory choice's item
// then shows no character of it.
struct FlashLetterCase {
  const char* label;
  std::string flashCnf;  // empty: no file
  char letter;
  std::string item;
};
void PrintTo(const FlashLetterCase& c, std::ostream* out) { *out << c.label; }

class FlashLetter : public ::testing::TestWithParam<FlashLetterCase> {};

TEST_P(FlashLetter, ReadFromFlashCnfAndShownInTheMemoryChoice) {
  tesmora::testing::TempDir dir;
  if (!GetParam().flashCnf.empty()) {
    tesmora::testing::WriteBytes(dir.File("flash.cnf"), GetParam().flashCnf);
  }
  const char letter = ReadFlashDriveLetter(dir.path());
  EXPECT_EQ(letter, GetParam().letter);
  EXPECT_EQ(FlashMemoryItemText(letter), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FlashLetter,
    ::testing::Values(FlashLetterCase{"Letter", "E\r\n", 'E', "E (Flash)"},
                      FlashLetterCase{"LowerCase", "d", 'd', "d (Flash)"},
                      FlashLetterCase{"NoFile", "", 0, "(Flash)"},
                      FlashLetterCase{"ZeroByte", std::string(1, '\0') + "E", 0, "(Flash)"},
                      FlashLetterCase{"ControlCharacter", "\x01", 0, "(Flash)"},
                      FlashLetterCase{"LineEnd", "\r\nE", 0, "(Flash)"},
                      FlashLetterCase{"Digit", "7", 0, "(Flash)"},
                      FlashLetterCase{"HighByte", "\xC9", 0, "(Flash)"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Transfers, FlashItemShowsNoControlCharacterForAnyLetter) {
  for (int c = 0; c < 256; ++c) {
    const std::string item = FlashMemoryItemText(static_cast<char>(c));
    for (const char shown : item) {
      EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(shown)) || shown == ' ' || shown == '(' ||
                  shown == ')')
          << c;
    }
  }
}

}  // namespace
}  // namespace tesmora::link
