#include "sheet/sheet_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "fixtures/test_file_writer.h"
#include "support/temp_dir.h"

namespace tesmora {
namespace {

using testing::TempDir;
using testing::WriteBytes;

std::string AsText(const fixtures::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// An export text with `lines` as its first lines, each closed by a CR.
std::string ExportLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r";
  return text;
}

std::vector<std::string> BlankLines(int count) { return std::vector<std::string>(count); }

TEST(ReadBackSheetExport, TakesTheCustomerLinesWithTabsAsSpacesAndTrimmed) {
  std::vector<std::string> lines = BlankLines(28);
  lines[4] = "\n";
  lines[9] = "  MOULIN\tDU NORD \t";
  lines[10] = "\tZONE\tARTISANALE";
  lines[11] = "\t 59000 LILLE";
  lines[12] = "\t\x90TAGE";  // code page 850 for an E acute
  SheetData sheet;
  sheet.CustomerLines = {"OLD", "OLD", "OLD", "OLD"};
  ReadBackSheetExport(ExportLines(lines), true, sheet);
  EXPECT_EQ(sheet.CustomerLines[0], "MOULIN DU NORD");
  EXPECT_EQ(sheet.CustomerLines[1], "ZONE ARTISANALE");
  EXPECT_EQ(sheet.CustomerLines[2], "59000 LILLE");
  EXPECT_EQ(sheet.CustomerLines[3], "\u00C9TAGE");
}

TEST(ReadBackSheetExport, AnExportWithoutCustomerGivesFourEmptyLines) {
  std::vector<std::string> lines = BlankLines(13);
  lines[10] = lines[11] = lines[12] = "\t";
  SheetData sheet;
  sheet.CustomerLines = {"A", "B", "C", "D"};
  ReadBackSheetExport(ExportLines(lines), false, sheet);
  EXPECT_EQ(sheet.CustomerLines, (std::array<std::string, 4>{}));
}

TEST(ReadBackSheetExport, PrMaxLinesByTheirText) {
  const struct {
    std::string line;
    std::string field;  // after a load that found "450" before
  } cases[] = {
      {"\t500", "500"}, {"\t 0", "0"},  {"\t-5", "450"}, {"", "0"},
      {"\t", "0"},      {"\tabc", "0"}, {"\t12x", "0"},  {"\t99999999999999999999", "0"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = BlankLines(28);
    lines[25] = "PROTOCOL\t BLE TENDRE ";
    lines[26] = c.line;
    lines[27] = c.line;
    SheetData sheet;
    sheet.PrMaxMin = sheet.PrMaxTarget = "450";
    ReadBackSheetExport(ExportLines(lines), true, sheet);
    EXPECT_EQ(sheet.PrMaxMin, c.field) << c.line;
    EXPECT_EQ(sheet.PrMaxTarget, c.field) << c.line;
    EXPECT_EQ(sheet.ProtocolName, "BLE TENDRE");
  }
}

TEST(ReadBackSheetExport, ReadsNoProtocolForAKindWithoutOne) {
  std::vector<std::string> lines = BlankLines(28);
  lines[25] = "COMMENTS\tFIRST";
  lines[26] = "COMMENTS\t12";
  SheetData sheet;
  sheet.ProtocolName = "KEPT";
  sheet.PrMaxMin = "450";
  ReadBackSheetExport(ExportLines(lines), false, sheet);
  EXPECT_EQ(sheet.ProtocolName, "KEPT");
  EXPECT_EQ(sheet.PrMaxMin, "450");
}

TEST(ReadBackSheetExport, IgnoresALastLineWithoutCr) {
  std::vector<std::string> lines = BlankLines(27);
  lines[25] = "PROTOCOL\tNAME";
  lines[26] = "\t300";
  SheetData sheet;
  ReadBackSheetExport(ExportLines(lines) + "\t700", true, sheet);
  EXPECT_EQ(sheet.PrMaxMin, "300");
  EXPECT_EQ(sheet.PrMaxTarget, "0");
  // A protocol name without a tab is taken whole.
  lines[25] = " NAME ONLY";
  ReadBackSheetExport(ExportLines(lines), true, sheet);
  EXPECT_EQ(sheet.ProtocolName, "NAME ONLY");
}

// A test folder, a program directory with a customer list whose first line
// holds a tab, and two protocols.
class SheetLoaderTest : public ::testing::Test {
 protected:
  SheetLoaderTest() : exporter_(home_.path(), home_.path()) {
    std::vector<fixtures::CustomerSpec> customers = fixtures::StandardCustomers();
    customers[1].lines = {"MOULIN\tDU NORD", "ZONE  ", "59000\tLILLE", ""};
    WriteBytes(home_.File("cliente.txt"), AsText(fixtures::BuildCustomerFile(customers)));
    std::vector<fixtures::ProtocolSpec> protocols = fixtures::StandardProtocols();
    protocols[1] = {"BLE DUR", 420, 480};
    protocols[2] = {"NEGATIF", -5, -5};
    WriteBytes(home_.File("protocol.txt"), AsText(fixtures::BuildProtocolFile(protocols)));
    EXPECT_TRUE(exporter_.LoadCustomerAndProtocolLists(1).empty());
  }

  void WriteInflation(const std::string& name, const std::string& customer, int protocol) {
    const char digit = KindDigitOf(name);
    const char kind = std::string_view("1236").find(digit) != std::string_view::npos ? digit : '3';
    fixtures::InflationTestSpec written = fixtures::RealisticInflationTest(4, kind);
    written.text.customer = customer;
    written.protocolNumber = static_cast<std::uint16_t>(protocol);
    WriteBytes(folder_.File(name), AsText(fixtures::BuildInflationFile(written)));
  }

  SheetLoad Load(const std::string& name) {
    return LoadSheetTest(exporter_, settings_, 0, folder_.path(), name, sheet_);
  }

  TempDir folder_;
  TempDir home_;
  Exporter exporter_;
  SheetSettings settings_;
  SheetData sheet_;
};

TEST_F(SheetLoaderTest, KindDigitsDecideTheTypeAndTitle) {
  const struct {
    std::string name;
    SheetType type;
    std::string title;
  } cases[] = {{"03150012.605", SheetType::Aha, "DOXEL AH"},
               {"03150012.305", SheetType::Aha, "DOXEL AH"},
               {"03150012.205", SheetType::Ahc, "DOXEL CH"},
               {"03150012.105", SheetType::Ahc, "DOXEL CH"}};
  for (const auto& c : cases) {
    WriteInflation(c.name, "2", 1);
    const SheetLoad load = Load(c.name);
    ASSERT_EQ(load.result, SheetLoadResult::Loaded) << c.name;
    EXPECT_EQ(sheet_.Type, c.type);
    EXPECT_EQ(sheet_.SheetTitle, c.title);
    ASSERT_TRUE(load.page.has_value());
    EXPECT_EQ(load.page->SheetFileName, c.name);
    EXPECT_EQ(load.page->sheet.Type, c.type);
    EXPECT_EQ(load.page->sheet.WithProtocol, c.type == SheetType::Aha);
    EXPECT_EQ(load.page->sheet.CustomerLines[0], "MOULIN DU NORD");
    EXPECT_EQ(load.page->sheet.CustomerLines[2], "59000 LILLE");
  }
  settings_.languageIndex = 0;
  fixtures::ConsistencyTestSpec consistency = fixtures::RealisticConsistencyTest(2, '5');
  WriteBytes(folder_.File("03150012.505"), AsText(fixtures::BuildConsistencyFile(consistency)));
  ASSERT_EQ(Load("03150012.505").result, SheetLoadResult::Loaded);
  EXPECT_EQ(sheet_.Type, SheetType::Cha);
  EXPECT_EQ(sheet_.SheetTitle, "TERBALIS HA");
}

TEST_F(SheetLoaderTest, KindSevenIsNoSheetAndChangesNothing) {
  WriteInflation("03150012.305", "2", 1);
  ASSERT_EQ(Load("03150012.305").result, SheetLoadResult::Loaded);
  const SheetData before = sheet_;
  WriteInflation("03150012.705", "3", 0);
  const SheetLoad load = Load("03150012.705");
  EXPECT_EQ(load.result, SheetLoadResult::NotASheetKind);
  EXPECT_FALSE(load.page.has_value());
  EXPECT_EQ(sheet_.CustomerLines, before.CustomerLines);
  EXPECT_EQ(sheet_.Type, SheetType::Aha);
  EXPECT_EQ(sheet_.SheetTitle, before.SheetTitle);
}

// The loader refuses exactly the names the menus do not offer: both ask the
// records' TestKindOf.
TEST_F(SheetLoaderTest, ANameIsASheetWhenItsKindIsKnown) {
  for (const std::string name :
       {"03021001.126", "03021001 copy.126", "03021001.126 copy", "03021001.726", "0302.126"}) {
    WriteInflation(name, "2", 1);
    const SheetLoad load = Load(name);
    EXPECT_EQ(load.result == SheetLoadResult::NotASheetKind, TestKindOf(name) == nullptr) << name;
    EXPECT_EQ(load.page.has_value(), TestKindOf(name) != nullptr) << name;
  }
}

TEST_F(SheetLoaderTest, AnAhcAfterAnAhaKeepsTheProtocolOfTheAha) {
  WriteInflation("03150012.305", "2", 1);
  ASSERT_EQ(Load("03150012.305").result, SheetLoadResult::Loaded);
  EXPECT_EQ(sheet_.ProtocolName, "BLE DUR");
  EXPECT_EQ(sheet_.PrMaxMin, "420");
  EXPECT_EQ(sheet_.PrMaxTarget, "480");
  WriteInflation("03150013.105", "", 0);
  ASSERT_EQ(Load("03150013.105").result, SheetLoadResult::Loaded);
  EXPECT_EQ(sheet_.Type, SheetType::Ahc);
  EXPECT_EQ(sheet_.ProtocolName, "BLE DUR");
  EXPECT_EQ(sheet_.PrMaxMin, "420");
  EXPECT_EQ(sheet_.PrMaxTarget, "480");
  EXPECT_EQ(sheet_.CustomerLines, (std::array<std::string, 4>{}));
}

TEST_F(SheetLoaderTest, ANegativePrMaxKeepsTheValueBeforeIt) {
  WriteInflation("03150012.305", "2", 1);
  ASSERT_EQ(Load("03150012.305").result, SheetLoadResult::Loaded);
  WriteInflation("03150013.605", "2", 2);
  ASSERT_EQ(Load("03150013.605").result, SheetLoadResult::Loaded);
  EXPECT_EQ(sheet_.ProtocolName, "NEGATIF");
  EXPECT_EQ(sheet_.PrMaxMin, "420");
  EXPECT_EQ(sheet_.PrMaxTarget, "480");
}

TEST_F(SheetLoaderTest, AFailedExportBetweenTwoGoodOnesGivesNoPageAndNoOldFigures) {
  WriteInflation("03150012.305", "2", 1);
  WriteBytes(folder_.File("03150013.105"), "not a test");
  WriteInflation("03150014.105", "", 0);

  const SheetLoad first = Load("03150012.305");
  ASSERT_EQ(first.result, SheetLoadResult::Loaded);
  const SheetData afterFirst = sheet_;

  const SheetLoad failed = Load("03150013.105");
  EXPECT_EQ(failed.result, SheetLoadResult::NotLoaded);
  EXPECT_FALSE(failed.page.has_value());
  ASSERT_EQ(failed.messages.size(), 1u);
  EXPECT_EQ(failed.messages[0].rfind("03150013.105. ", 0), 0u) << failed.messages[0];
  // The sheet data still describe the first test; nothing of it reaches a page.
  EXPECT_EQ(sheet_.Type, afterFirst.Type);
  EXPECT_EQ(sheet_.CustomerLines, afterFirst.CustomerLines);

  const SheetLoad third = Load("03150014.105");
  ASSERT_EQ(third.result, SheetLoadResult::Loaded);
  EXPECT_EQ(third.page->sheet.CustomerLines, (std::array<std::string, 4>{}));
  EXPECT_NE(third.page->test, first.page->test);
  // Each page keeps the test it was loaded from.
  EXPECT_EQ(first.page->sheet.CustomerLines[0], "MOULIN DU NORD");
}

TEST_F(SheetLoaderTest, AMissingTestFileGivesNoPage) {
  const SheetLoad load = Load("03150099.305");
  EXPECT_EQ(load.result, SheetLoadResult::NotLoaded);
  EXPECT_FALSE(load.messages.empty());
}

}  // namespace
}  // namespace tesmora
