#include "records/test_names.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(TestTypeLabel, ByKindDigitOrExportCode) {
  const struct {
    const char* name;
    const char* type;
  } cases[] = {
      {"03151022.103", "AHC"},
      {"03151022.203", "AHC"},
      {"03151022.303", "AHA"},
      {"03151022.403", "CHC"},
      {"03151022.503", "CHA"},
      {"03151022.603", "AHA"},
      {"03151022.703", ""},
      {"03151022.003", ""},
      {"03151022.AHC", "DB-AHC"},
      {"03151022.AHA", "DB-AHA"},
      {"03151022.CC2", "DB-CHC"},
      {"03151022.CA2", "DB-CHA"},
      {"03151022.aha", ""},
      {"03151022.TXT", ""},
      {"SHORT", ""},
      {"", ""},
      {"03151022.1", "AHC"},
      {"03151022.CC", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TestTypeLabel(c.name, false), c.type) << c.name;
}

TEST(ExtensionReadsAsInteger, CharactersTenToTwelveReadAsADecimalInteger) {
  struct Case {
    const char* name;
    bool expected;
  };
  const Case cases[] = {
      {"03151234.312", true},
      {"03151234.000", true},
      {"abcdefgh.-12", true},
      {"abcdefgh.+12", true},
      {"abcdefgh. 12", true},  // leading blanks are skipped
      {"abcdefgh.  7", true},
      {"abcdefgh. -7", true},
      {"abcdefgh.12", true},  // a shorter name gives fewer characters
      {"abcdefghi5", true},
      {"03151234.312.bak", true},  // only characters 10 to 12 count
      {"readme.txt", false},
      {"03151234.3A2", false},
      {"0315.312", false},
      {"abcdefghi", false},  // nothing left to read
      {"", false},
      {"abcdefgh.   ", false},
      {"abcdefgh.12 ", false},  // no trailing blanks
      {"abcdefgh.1 2", false},
      {"abcdefgh.-", false},
      {"abcdefgh.+ 1", false},
      {"abcdefgh.--1", false},
      {"abcdefgh.\t12", false},
      {"abcdefgh.$1F", false},  // decimal only
      {"abcdefgh.0x1", false},
      {"abcdefgh.\26212", false},  // a high byte is no digit in any locale
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtensionReadsAsInteger(c.name), c.expected) << '"' << c.name << '"';
  }
}

TEST(TestTypeLabel, AllFilesModeShowsWhatFollowsTheFirstDot) {
  EXPECT_EQ(TestTypeLabel("REPORT.PDF", true), "PDF");
  EXPECT_EQ(TestTypeLabel("archive.tar.gz", true), "tar.gz");
  EXPECT_EQ(TestTypeLabel("README", true), "");
  EXPECT_EQ(TestTypeLabel("trailing.", true), "");
  EXPECT_EQ(TestTypeLabel("03151022.103", true), "103");
}

TEST(TestFileDate, FromTheNameIsDayMonthYear) {
  EXPECT_EQ(TestFileDate("", "03151022.103", DateSource::FromName), "15/03/03");
  EXPECT_EQ(TestFileDate("/unused", "12310007.198", DateSource::FromName), "31/12/98");
  EXPECT_EQ(TestFileDate("", "0315", DateSource::FromName), "15/03/") << "short names do not crash";
  EXPECT_EQ(TestFileDate("", "", DateSource::FromName), "//");
}

TEST(TestFileDate, FromADateAlreadyRead) {
  const platform::CalendarDate date{2007, 1, 9};
  EXPECT_EQ(TestFileDate("12310007.AHC", DateSource::CreationTime, date), "09/01/07");
  EXPECT_EQ(TestFileDate("notes.txt", DateSource::LastWriteTime, date), "09/01/07");
  EXPECT_EQ(TestFileDate("12310007.198", DateSource::FromName, date), "31/12/98");
  EXPECT_EQ(TestFileDate("notes.txt", DateSource::LastWriteTime, std::nullopt), "");
}

TEST(TestFileDate, FromTheFileItsDateAsStored) {
  TempDir dir;
  WriteBytes(dir.File("12310007.AHC"), "x");
  ASSERT_TRUE(platform::SetFileCreationDate(dir.File("12310007.AHC"), {1998, 12, 31}));
  EXPECT_EQ(TestFileDate(dir.path(), "12310007.AHC", DateSource::CreationTime), "31/12/98");
  EXPECT_EQ(TestFileDate(dir.path() + "/", "12310007.AHC", DateSource::LastWriteTime), "31/12/98");
  EXPECT_EQ(TestFileDate(dir.path(), "missing.AHC", DateSource::CreationTime), "");
}

TEST(TestDateFromName, CenturyFromTheTwoDigitYear) {
  using platform::CalendarDate;
  EXPECT_EQ(TestDateFromName("12310007.198"), (CalendarDate{1998, 12, 31}));
  EXPECT_EQ(TestDateFromName("01010001.195"), (CalendarDate{1995, 1, 1}));
  EXPECT_EQ(TestDateFromName("01010001.194"), (CalendarDate{2094, 1, 1}));
  EXPECT_EQ(TestDateFromName("03151022.103"), (CalendarDate{2003, 3, 15}));
  EXPECT_EQ(TestDateFromName("02290001.104"), (CalendarDate{2004, 2, 29}));
  EXPECT_EQ(TestDateFromName("02290001.103"), std::nullopt) << "not a leap year";
  EXPECT_EQ(TestDateFromName("13010001.103"), std::nullopt);
  EXPECT_EQ(TestDateFromName("AB010001.103"), std::nullopt);
  EXPECT_EQ(TestDateFromName("0101"), std::nullopt);
}

TEST(ExportFileName, NineCharactersAndTheExportCode) {
  EXPECT_EQ(ExportFileName("03151022.103"), "03151022.AHC");
  EXPECT_EQ(ExportFileName("03151022.203"), "03151022.AHC");
  EXPECT_EQ(ExportFileName("03151022.303"), "03151022.AHA");
  EXPECT_EQ(ExportFileName("03151022.403"), "03151022.CC2");
  EXPECT_EQ(ExportFileName("03151022.503"), "03151022.CA2");
  EXPECT_EQ(ExportFileName("03151022.603"), "03151022.AHA");
  EXPECT_EQ(ExportFileName("03151022.703"), "03151022.");
  EXPECT_EQ(ExportFileName("0315"), "0315");
}

TEST(TestKinds, FamiliesSheetsAndTitleMessages) {
  using enum SheetType;
  const struct {
    char digit;
    TestFamily family;
    SheetType sheet;
    MessageId exportTitle;
    MessageId sheetTitle;
    bool protocol;
    bool hydration;
  } cases[] = {
      {'1', TestFamily::Inflation, Ahc, msg::kDoxelCh, msg::kDoxelCh, false, false},
      {'2', TestFamily::Inflation, Ahc, msg::kDoxelCh, msg::kDoxelCh, false, false},
      {'3', TestFamily::Inflation, Aha, msg::kDoxelAh, msg::kDoxelAh, true, true},
      {'6', TestFamily::Inflation, Aha, msg::kDoxelAh, msg::kDoxelAh, true, false},
      {'4', TestFamily::Consistency, Chc, msg::kTerbalisChTest, msg::kTerbalisCh, true, false},
      {'5', TestFamily::Consistency, Cha, msg::kTerbalisAh, msg::kTerbalisAh, true, false},
  };
  for (const auto& c : cases) {
    const TestKind* kind = FindTestKind(c.digit);
    ASSERT_NE(kind, nullptr) << c.digit;
    EXPECT_EQ(kind->family, c.family) << c.digit;
    EXPECT_EQ(kind->sheetType, c.sheet) << c.digit;
    EXPECT_EQ(kind->exportTitleMessage, c.exportTitle) << c.digit;
    EXPECT_EQ(kind->sheetTitleMessage, c.sheetTitle) << c.digit;
    EXPECT_EQ(kind->carriesProtocol, c.protocol) << c.digit;
    EXPECT_EQ(kind->inflationHydration, c.hydration) << c.digit;
    EXPECT_EQ(IsConsistencyKind(c.digit), c.family == TestFamily::Consistency) << c.digit;
  }
  for (const char unknown : {'7', '0', '9', 'A', '\0'}) {
    EXPECT_EQ(FindTestKind(unknown), nullptr) << unknown;
    EXPECT_FALSE(IsConsistencyKind(unknown)) << unknown;
  }
  EXPECT_EQ(KindDigitOf("03151022"), '\0');
  EXPECT_EQ(KindDigitOf("03151022.403"), '4');
}

TEST(TestKindOf, TheKindOfTheTenthCharacterWhateverFollows) {
  const struct {
    const char* name;
    char digit;  // '\0' for no kind
  } cases[] = {
      {"03151022.403", '4'},
      {"03151022.6", '6'},
      {"03151022.126.bak", '1'},
      {"03021001 copy.126", 0},
      {"03151022.703", 0},
      {"03151022.AHA", 0},
      {"a.5xx", 0},
      {"copy of 1.1", 0},
      {"", 0},
  };
  for (const auto& c : cases) {
    const TestKind* kind = TestKindOf(c.name);
    EXPECT_EQ(kind != nullptr ? kind->digit : '\0', c.digit) << c.name;
  }
}

TEST(ExtensionOf, CharactersTenToTwelveCutShortWithTheName) {
  EXPECT_EQ(ExtensionOf("03151022.403"), "403");
  EXPECT_EQ(ExtensionOf("03151022.403.bak"), "403");
  EXPECT_EQ(ExtensionOf("03151022.4"), "4");
  EXPECT_EQ(ExtensionOf("03151022."), "");
  EXPECT_EQ(ExtensionOf(""), "");
}

// The names the PC list shows in the normal mode, and those it passes over.
TEST(FileNameKindOf, TestFilesAndExportFilesOfTwelveCharacters) {
  const struct {
    const char* name;
    FileNameKind kind;
  } cases[] = {
      {"03151022.103", FileNameKind::TestFile},
      {"03151022.703", FileNameKind::TestFile},  // an unknown kind is still a test's name
      {"12310007.198", FileNameKind::TestFile},
      {"03151022.523", FileNameKind::TestFile},
      {"03151022.133", FileNameKind::Other},  // character 11 is '3'
      {"0315102A.103", FileNameKind::Other},
      {"03151022.1A3", FileNameKind::Other},
      {"0315102.103", FileNameKind::Other},
      {"031510222.103", FileNameKind::Other},
      {"03151022.AHC", FileNameKind::ExportFile},
      {"03151022.AHA", FileNameKind::ExportFile},
      {"03151022.CC2", FileNameKind::ExportFile},
      {"03151022.CA2", FileNameKind::ExportFile},
      {"03151022.CHC", FileNameKind::Other},  // a type code, no export code
      {"03151022.aha", FileNameKind::Other},
      {"0315102.AHC", FileNameKind::Other},
      {"", FileNameKind::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNameKindOf(c.name), c.kind) << c.name;
}

}  // namespace
}  // namespace tesmora
