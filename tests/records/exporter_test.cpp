#include "records/exporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "fixtures/test_file_writer.h"
#include "platform/file_times.h"
#include "records/export_test_fixture.h"
#include "support/temp_dir.h"

namespace tesmora {
namespace {

using export_testing::AsText;
using export_testing::ExportTest;
using export_testing::Inflation;
using fixtures::InflationTestSpec;
using testing::EntriesIn;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST_F(ExportTest, EachFailureGivesItsMessageAndLeavesNoFile) {
  const fixtures::Bytes good = fixtures::BuildInflationFile(Inflation('1'));
  fixtures::Bytes noMarker = fixtures::BuildUnstuffedInflationFile(Inflation('1'));
  for (std::size_t i = 0; i + 3 < noMarker.size(); ++i) {
    if (noMarker[i] == 0xFF && noMarker[i + 1] == 0x7F) noMarker[i] = 0xFE;
  }
  InflationTestSpec flourEnds = Inflation('1');
  flourEnds.text.flour = "\xFF";
  InflationTestSpec oldVersion = Inflation('1');
  oldVersion.version = 3;

  const std::string unexpected = ". Unexpected value.Impossible export";
  const struct {
    const char* name;
    fixtures::Bytes bytes;
    std::string message;
  } cases[] = {
      {"03021001.126", noMarker, unexpected},
      {"03021001.126", fixtures::BuildInflationFile(flourEnds), unexpected},
      {"03021001.126", fixtures::BuildInflationFile(oldVersion),
       ". WRONG VERSIONImpossible export"},
      {"03021001.726", good, unexpected},  // a kind-7 name over a file that is no test
  };
  for (const auto& c : cases) {
    // An older export of the same name survives the failure.
    const std::string exportName = ExportFileName(c.name);
    WriteBytes(folder_.File(exportName), "older export");
    fixtures::Bytes bytes = c.bytes;
    if (std::string(c.name).ends_with("726")) bytes.assign(100, 0x20);
    const Exporter::Outcome outcome = Export(c.name, bytes);
    EXPECT_FALSE(outcome.ok) << c.message;
    EXPECT_EQ(outcome.messages, std::vector<std::string>{c.name + c.message});
    EXPECT_EQ(ReadBytes(folder_.File(exportName)), "older export");
    EXPECT_EQ(EntriesIn(folder_.path()), 2) << c.message;
    std::filesystem::remove(folder_.File(c.name));
    std::filesystem::remove(folder_.File(exportName));
  }
  EXPECT_EQ(ExportFileName("03021001.726"), "03021001.");

  // The test file is missing.
  Exporter::Outcome outcome = exporter_.ExportTestFile(folder_.path(), "03021001.126", settings_);
  EXPECT_EQ(outcome.messages,
            std::vector<std::string>{"03021001.126. OPENING ERRORImpossible export"});
  // The export file cannot be written: its folder does not exist.
  WriteBytes(folder_.File("03021001.126"), AsText(good));
  outcome =
      exporter_.ExportTestFile(folder_.path(), "03021001.126", settings_, folder_.File("missing"));
  EXPECT_EQ(outcome.messages,
            std::vector<std::string>{"03021001.126. OPENING ERRORImpossible export"});
  // The program directory cannot take the un-stuffed copy.
  Exporter homeless(home_.File("missing"), home_.path());
  outcome = homeless.ExportTestFile(folder_.path(), "03021001.126", settings_);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{"doxel.tmp.OPENING ERROR"});
  EXPECT_EQ(EntriesIn(folder_.path()), 1);
}

TEST_F(ExportTest, TheExportCarriesTheTestsDateAndTheSheetExportGoesToTempbd) {
  const fixtures::Bytes bytes = fixtures::BuildInflationFile(Inflation('1'));
  const Exporter::Outcome outcome = Export("03021001.126", bytes);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(platform::ReadFileDate(outcome.exportPath, platform::FileTimeKind::Creation),
            (platform::CalendarDate{2026, 3, 2}));
  const Exporter::Outcome sheet =
      exporter_.ExportForSheet(folder_.path(), "03021001.126", settings_);
  ASSERT_TRUE(sheet.ok);
  EXPECT_EQ(sheet.exportPath, home_.File("tempbd.txt"));
  EXPECT_EQ(ReadBytes(sheet.exportPath), ReadBytes(outcome.exportPath));
  // The un-stuffed copy stays in the program directory.
  EXPECT_EQ(ReadBytes(home_.File("doxel.tmp")),
            AsText(fixtures::BuildUnstuffedInflationFile(Inflation('1'))));
}

TEST_F(ExportTest, ExportsFromTwoThreadsNeverMix) {
  const fixtures::Bytes inflation = fixtures::BuildInflationFile(Inflation('1'));
  const fixtures::Bytes consistency =
      fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(2, '5'));
  const std::string first = ExportText("03021001.126", inflation);
  const std::string second = ExportText("10221107.526", consistency);
  TempDir other;
  WriteBytes(other.File("10221107.526"), AsText(consistency));
  std::vector<std::string> fromThread;
  std::thread link([&] {
    for (int i = 0; i < 30; ++i) {
      const auto outcome = exporter_.ExportTestFile(other.path(), "10221107.526", settings_);
      fromThread.push_back(outcome.ok ? ReadBytes(outcome.exportPath) : "failed");
    }
  });
  for (int i = 0; i < 30; ++i) {
    const auto outcome = exporter_.ExportTestFile(folder_.path(), "03021001.126", settings_);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(ReadBytes(outcome.exportPath), first);
  }
  link.join();
  for (const std::string& text : fromThread) EXPECT_EQ(text, second);
}

TEST_F(ExportTest, ASheetExportHandsBackItsOwnStateWithTheSampleTexts) {
  InflationTestSpec written = Inflation('1');
  written.text.flour = "T65 BIO";
  written.text.moisture = "14.2";
  written.text.wxLength = "55";
  written.text.comment1 = "LOT 7";
  written.text.comment2 = "";
  WriteBytes(folder_.File("03021001.126"), AsText(fixtures::BuildInflationFile(written)));
  // A consistency test leaves its own texts: the sheet's copy must not change.
  const fixtures::Bytes consistency =
      fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(2, '5'));

  ExportState state;
  ASSERT_TRUE(exporter_.ExportForSheet(folder_.path(), "03021001.126", settings_, state).ok);
  ASSERT_TRUE(Export("10221107.526", consistency).ok);

  const SampleTexts& texts = state.decoded.Texts;
  EXPECT_EQ(texts.Flour, "T65 BIO");
  EXPECT_EQ(texts.Moisture, "14.2");
  EXPECT_EQ(texts.WxText, "55");
  EXPECT_EQ(texts.Comment1, "LOT 7");
  EXPECT_EQ(texts.Comment2, "");
  EXPECT_EQ(state.decoded.CurveCount, written.curveCount);
  EXPECT_NE(exporter_.LastState().decoded.Texts.Flour, "T65 BIO");

  // A failed sheet export leaves the caller's state alone.
  ExportState untouched;
  untouched.decoded.Texts.Flour = "KEPT";
  WriteBytes(folder_.File("03021002.126"), "short");
  EXPECT_FALSE(exporter_.ExportForSheet(folder_.path(), "03021002.126", settings_, untouched).ok);
  EXPECT_EQ(untouched.decoded.Texts.Flour, "KEPT");
}

}  // namespace
}  // namespace tesmora
