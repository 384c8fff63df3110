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

TEST(TestKinds, FamiliesAndTitleMessages) {
  const struct {
    char digit;
    TestFamily family;
    int exportTitle;
    int sheetTitle;
  } cases[] = {
      {'1', TestFamily::Inflation, 210, 210},   {'2', TestFamily::Inflation, 210, 210},
      {'3', TestFamily::Inflation, 209, 209},   {'6', TestFamily::Inflation, 209, 209},
      {'4', TestFamily::Consistency, 182, 208}, {'5', TestFamily::Consistency, 207, 207},
  };
  for (const auto& c : cases) {
    const TestKind* kind = FindTestKind(c.digit);
    ASSERT_NE(kind, nullptr) << c.digit;
    EXPECT_EQ(kind->family, c.family);
    EXPECT_EQ(kind->exportTitleMessage, c.exportTitle);
    EXPECT_EQ(kind->sheetTitleMessage, c.sheetTitle);
  }
  EXPECT_EQ(FindTestKind('7'), nullptr);
  EXPECT_EQ(FindTestKind('0'), nullptr);
  EXPECT_EQ(KindDigitOf("03151022"), '\0');
}

}  // namespace
}  // namespace tesmora
