#include "records/export_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixtures/test_file_writer.h"
#include "records/export_test_fixture.h"
#include "records/exporter.h"

namespace tesmora {
namespace {

using export_testing::ExportTest;
using export_testing::Inflation;
using export_testing::LineOf;
using export_testing::Lines;
using fixtures::ConsistencyTestSpec;
using fixtures::InflationTestSpec;
using testing::ReadBytes;

TEST_F(ExportTest, HeaderEndsTheFileNameLineWithCrCrLfCr) {
  const std::string text = ExportText("03021001.126", fixtures::BuildInflationFile(Inflation('1')));
  EXPECT_EQ(text.substr(0, text.find("SAMPLE")),
            "V2.01\r\t\t\tDOXEL CH\rFILE NAME            :\t03021001.126\r\r\n\r");
}

TEST_F(ExportTest, ATestWithoutCustomerWritesOneEmptyLineAndThreeTabs) {
  InflationTestSpec test = Inflation('1');
  test.text.customer = "";
  const std::vector<std::string> lines =
      Lines(ExportText("03021001.126", fixtures::BuildInflationFile(test)));
  EXPECT_EQ(lines[8], "CUSTOMER \t");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 9, lines.begin() + 13),
            (std::vector<std::string>{"", "\t", "\t", "\t"}));

  test.text.customer = "2";
  const std::vector<std::string> customer =
      Lines(ExportText("03021001.126", fixtures::BuildInflationFile(test)));
  const fixtures::CustomerSpec second = fixtures::StandardCustomers()[1];
  EXPECT_EQ(customer[9], second.lines[0]);
  EXPECT_EQ(customer[12], "\t" + second.lines[3]);
}

TEST_F(ExportTest, TemperatureLineCarriesTheDegreeSignBeforeItsUnit) {
  InflationTestSpec test = Inflation('1');
  test.text.temperature = "20.5";
  test.text.temperatureUnit = 'F';
  const std::vector<std::string> lines =
      Lines(ExportText("03021001.126", fixtures::BuildInflationFile(test)));
  EXPECT_EQ(lines[13],
            "LAB.TEMP.\t20.5\t\xF8"
            "F");
  EXPECT_EQ(lines[14].rfind("LAB.HYGROM.\t", 0), 0u);
}

TEST_F(ExportTest, AFieldPastItsWidthEndsTheFieldsAndAFieldOfExactlyItsWidthDoesNot) {
  InflationTestSpec test = Inflation('1');
  // Exactly 15 characters; the zero after them is the first byte of the
  // (empty) water absorption field.
  test.text.gluten = "123456789012345";
  test.text.waterAbsorption = "";
  // 7 characters in a field of 6: the first zero comes from the (empty)
  // falling number field.
  test.text.moisture = "14.25 %";
  test.text.fallingNumber = "";
  const std::vector<std::string> lines =
      Lines(ExportText("03021001.126", fixtures::BuildInflationFile(test)));
  EXPECT_EQ(lines[15], "MOISTURE \t14.25 %\t%");
  EXPECT_EQ(lines[16], "FN VALUE \t\ts");
  EXPECT_EQ(lines[21], "GLUTEN   \t\t");
  EXPECT_EQ(lines[24], "x -> Wx  \t\tmm");

  test.text.moisture = "14.2";
  const std::vector<std::string> exact =
      Lines(ExportText("03021001.126", fixtures::BuildInflationFile(test)));
  EXPECT_EQ(exact[21], "GLUTEN   \t123456789012345\t");
  EXPECT_EQ(exact[22], "W.A.     \t\t%");
  EXPECT_EQ(exact[23], "EXTRAC.R.\t" + test.text.extraction + "\t%");
}

TEST_F(ExportTest, LinesOfEachKindFallWhereTheSheetReadsThem) {
  const struct {
    const char* name;
    char kind;
    int comments;  // -1: none
    int protocol;
    int results;
    bool hydration;
  } cases[] = {{"03021001.126", '1', 25, -1, 27, false},
               {"03021001.226", '2', 25, -1, 27, false},
               {"03021001.326", '3', -1, 25, 28, true},
               {"03021001.626", '6', -1, 25, 28, false}};
  for (const auto& c : cases) {
    InflationTestSpec test = Inflation(c.kind);
    test.text.comment1 = "FIRST COMMENT";
    const std::vector<std::string> lines =
        Lines(ExportText(c.name, fixtures::BuildInflationFile(test)));
    EXPECT_EQ(LineOf(lines, "COMMENTS"), c.comments) << c.name;
    if (c.comments > 0) {
      EXPECT_EQ(lines[c.comments], "COMMENTS   \tFIRST COMMENT");
    }
    EXPECT_EQ(LineOf(lines, "PROTOCOL\t"), c.protocol) << c.name;
    EXPECT_EQ(LineOf(lines, " RESULTS"), c.results) << c.name;
    const int wx = c.results + 7;
    EXPECT_TRUE(lines[wx].rfind("W(", 0) == 0 || lines[wx].rfind("Sb(", 0) == 0) << c.name;
    EXPECT_EQ(lines[wx + 1].rfind("HYD", 0) == 0, c.hydration) << c.name;
  }
}

// The sheet reads the customer and protocol lines back by number; every kind
// the table says carries a protocol must have it where the sheet looks.
TEST_F(ExportTest, EveryKindPutsCustomerAndProtocolWhereTheSheetReadsThem) {
  for (const char digit : {'1', '2', '3', '4', '5', '6'}) {
    const TestKind* kind = FindTestKind(digit);
    ASSERT_NE(kind, nullptr);
    const std::string name = std::string("03021001.") + digit + "26";
    fixtures::Bytes bytes;
    if (kind->family == TestFamily::Inflation) {
      InflationTestSpec test = Inflation(digit);
      test.text.customer = "2";
      test.protocolNumber = kind->carriesProtocol ? 1 : 0;
      bytes = fixtures::BuildInflationFile(test);
    } else {
      ConsistencyTestSpec test = fixtures::RealisticConsistencyTest(5, digit);
      test.text.customer = "2";
      test.protocolNumber = 1;
      bytes = fixtures::BuildConsistencyFile(test);
    }
    const std::vector<std::string> lines = Lines(ExportText(name, bytes));
    ASSERT_GT(lines.size(), static_cast<std::size_t>(kProtocolFirstLine + 2)) << name;
    const fixtures::CustomerSpec customer = fixtures::StandardCustomers()[1];
    EXPECT_EQ(lines[kCustomerFirstLine], customer.lines[0]) << name;
    EXPECT_EQ(lines[kCustomerFirstLine + kCustomerLineCount - 1], "\t" + customer.lines[3]) << name;
    const fixtures::ProtocolSpec protocol = fixtures::StandardProtocols()[1];
    const bool protocolThere =
        lines[kProtocolFirstLine] == "PROTOCOL\t" + protocol.name &&
        lines[kProtocolFirstLine + 1] == "\t" + std::to_string(protocol.lowerPrMax) &&
        lines[kProtocolFirstLine + 2] == "\t" + std::to_string(protocol.targetPrMax);
    EXPECT_EQ(protocolThere, kind->carriesProtocol) << name;
  }
}

// A kind digit of no known kind is read as an inflation test with neither a
// title, comments nor a protocol: its results follow the sample fields.
TEST(ComposeExportText, AnUnknownKindHasNoTitleCommentsOrProtocol) {
  InflationTestSpec test = Inflation('1');
  test.text.comment1 = "FIRST COMMENT";
  const fixtures::Bytes file = fixtures::BuildInflationFile(test);
  const PreparedCopy copy = PrepareTestCopy(file, DecodingFamily('7'), "03021001.726", 1);
  ASSERT_NE(copy.version, 0);
  const CustomerProtocolTables tables;
  auto state = std::make_unique<ExportState>();
  const ComposedExport composed = ComposeExportText(copy.bytes, "03021001.726", {}, tables, *state);
  ASSERT_TRUE(composed.ok) << composed.failure;
  const std::vector<std::string> lines = Lines(composed.text);
  EXPECT_EQ(lines[1], "\t\t\t");
  EXPECT_EQ(LineOf(lines, "COMMENTS"), -1);
  EXPECT_EQ(LineOf(lines, "PROTOCOL\t"), -1);
  ASSERT_EQ(LineOf(lines, " RESULTS"), 25);
  EXPECT_EQ(lines[26].rfind("P\t", 0), 0u);
  EXPECT_EQ(lines[32].rfind("W(", 0), 0u);
  EXPECT_EQ(LineOf(lines, "HYD"), -1);
}

TEST_F(ExportTest, DegradationTestsPutTheSecondMeanAfterTheFirstSeries) {
  fixtures::InflationOptions options;
  options.kindDigit = '2';
  options.firstSeriesCount = 3;
  InflationTestSpec test = fixtures::RealisticInflationTest(5, options);
  const std::vector<std::string> lines =
      Lines(ExportText("04140212.226", fixtures::BuildInflationFile(test)));
  EXPECT_EQ(lines[1], "\t\t\tDOXEL CH\tDEGRADATION");
  const int head = LineOf(lines, "L(mm)");
  ASSERT_GT(head, 0);
  EXPECT_EQ(lines[head - 6], "NUMBER OF CURVES\t5(3/2)");
  EXPECT_EQ(lines[head], "L(mm)\tAVERAGE\tCURVE1\tCURVE2\tCURVE3\tAVERAGE\tCURVE4\tCURVE5\t");
  EXPECT_EQ(LineOf(lines, "Idp\t"), LineOf(lines, "W(") + 1);
  // Every row that has all five curves holds eight cells, the second mean the
  // sixth of them, as long as both means run.
  const DecodedTest decoded = exporter_.LastState().decoded;
  const int meanRows =
      std::min(CurveLength(decoded.MeanCurves[0]), CurveLength(decoded.MeanCurves[1]));
  ASSERT_GT(meanRows, 10);
  for (int row = 0; row < meanRows; ++row) {
    std::vector<std::string> cells;
    std::stringstream line(lines[head + 1 + row]);
    for (std::string cell; std::getline(line, cell, '\t');) cells.push_back(cell);
    ASSERT_EQ(cells.size(), 8u) << row;
    EXPECT_FALSE(cells[5].empty()) << row;
  }
}

TEST_F(ExportTest, ACurveThatEndsEarlyLeavesItsCellsEmpty) {
  InflationTestSpec test = Inflation('1');
  test.curveCount = 3;
  test.curveFlags = 0x07;
  test.curves.resize(3);
  test.curves[0].resize(40);
  fixtures::UpdateRecorderSummary(test);
  const std::vector<std::string> lines =
      Lines(ExportText("03021001.126", fixtures::BuildInflationFile(test)));
  const int head = LineOf(lines, "L(mm)");
  // Row 39 is the first curve's last value; from row 40 on its cell is empty.
  EXPECT_EQ(lines[head + 1 + 39].find("\t\t"), std::string::npos);
  const std::string& row40 = lines[head + 1 + 40];
  const std::size_t mean = row40.find('\t') + 1;
  const std::size_t firstCurve = row40.find('\t', mean) + 1;
  EXPECT_EQ(row40[firstCurve], '\t') << row40;
  EXPECT_EQ(std::count(row40.begin(), row40.end(), '\t'), 4) << row40;
}

TEST_F(ExportTest, InflationTableLabelsGoToTheSheetWithAClosingMark) {
  const std::string text = ExportText("03021001.126", fixtures::BuildInflationFile(Inflation('1')));
  const std::vector<std::string> lines = Lines(text);
  const std::vector<std::string>& labels = exporter_.LastState().sheet.RowLabels;
  const int head = LineOf(lines, "L(mm)");
  ASSERT_EQ(labels.size(), lines.size() - head - 2 + 1);
  EXPECT_EQ(lines[head + 1].substr(0, 2), "0\t");
  for (std::size_t i = 0; i + 1 < labels.size(); ++i) {
    EXPECT_EQ(lines[head + 2 + i].substr(0, labels[i].size() + 1), labels[i] + "\t");
  }
  EXPECT_EQ(labels.back(), "-1");
  // The table ends with its last cell: no closing CR.
  EXPECT_NE(text.back(), '\r');
}

TEST_F(ExportTest, ConsistencyTableFillsTheSheetColumns) {
  fixtures::ConsistencyOptions options;
  options.kindDigit = '5';
  options.recalculation = true;
  ConsistencyTestSpec test = fixtures::RealisticConsistencyTest(4, options);
  const std::vector<std::string> lines =
      Lines(ExportText("10221107.526", fixtures::BuildConsistencyFile(test)));
  const ExportState state = exporter_.LastState();
  const int head = LineOf(lines, "s\tPRESSURE\tAVERAGE\t");
  ASSERT_GT(head, 0);
  const int n = state.decoded.SampleCount;
  ASSERT_EQ(n, static_cast<int>(test.samples.size()));
  ASSERT_EQ(static_cast<int>(lines.size()), head + 1 + n + 1);
  for (int k = 0; k < n; k += 97) {
    const std::string expected =
        state.sheet.RowLabels[k] + "\t" +
        std::to_string(static_cast<long>(state.sheet.ConsistencyPressureColumn[k])) + "\t" +
        std::to_string(static_cast<long>(state.sheet.ConsistencyFitColumn[k])) + "\t";
    EXPECT_EQ(lines[head + 1 + k], expected) << k;
  }
  EXPECT_EQ(state.sheet.RowLabels[n], "-1");
  // The recalculation leaves its softened curve in the working directory.
  EXPECT_EQ(ReadBytes(home_.File("ble_soft.tmp")).size(), static_cast<std::size_t>(n) * 4);
}

TEST_F(ExportTest, KindFourPrintsHydrationOnlyAbovetheLowerPrMax) {
  ConsistencyTestSpec test = fixtures::RealisticConsistencyTest(6, '4');
  test.protocolNumber = 1;
  const fixtures::ProtocolSpec protocol = fixtures::StandardProtocols()[1];
  for (const float prMax :
       {static_cast<float>(protocol.lowerPrMax), static_cast<float>(protocol.lowerPrMax + 1)}) {
    test.prMax = prMax;
    const std::vector<std::string> lines =
        Lines(ExportText("11030041.426", fixtures::BuildConsistencyFile(test)));
    const int wa = LineOf(lines, "WA\t");
    ASSERT_GT(wa, 0);
    const bool above = prMax > protocol.lowerPrMax;
    EXPECT_EQ(lines[wa + 1].rfind("HYD", 0) == 0, above) << prMax;
    // The first converted line is left empty at or below the lower PrMax.
    const int converted = wa + (above ? 2 : 1);
    EXPECT_EQ(lines[converted].empty(), !above) << prMax;
  }
}

}  // namespace
}  // namespace tesmora
