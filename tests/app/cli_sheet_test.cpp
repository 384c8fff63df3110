#include <gtest/gtest.h>

#include <string>

#include "app/cli_test_support.h"
#include "fixtures/test_file_writer.h"
#include "records/exporter.h"
#include "sheet/recording_canvas.h"
#include "sheet/sheet_loader.h"
#include "sheet/sheet_page.h"
#include "sheet_painting/sheet_font.h"
#include "shell/company.h"
#include "support/gui_application.h"

namespace tesmora {
namespace {

using testing::AsText;
using testing::CommandRun;
using testing::EntriesIn;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempDir;
using testing::WriteBytes;

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// A PNG's width and height, from its header chunk.
std::pair<int, int> PngSize(const std::string& png) {
  if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {0, 0};
  const auto word = [&](std::size_t at) {
    int value = 0;
    for (std::size_t i = 0; i < 4; ++i)
      value = value * 256 + static_cast<unsigned char>(png[at + i]);
    return value;
  };
  return {word(16), word(20)};
}

class CliSheet : public testing::CliWithTests {
 protected:
  CliSheet() {
    WriteBytes(home_.File("societe.txt"),
               "[Societe]\r\nLigne1=Laboratoire d'essais\r\nLigne2=Z.I. des C\xe9r\xe9"
               "ales\r\n");
    WriteBytes(tests_.File("01010001.126"), "no test in here");
    WriteBytes(tests_.File("01010002.726"), "not a kind with a sheet");
  }

  // The dump the command line must give: the same pages drawn in process.
  std::string ExpectedDump(int languageIndex, const std::string& decimal,
                           const std::string& versionText, Resolution dots = {300, 300}) {
    Exporter exporter(home_.path(), home_.path());
    exporter.LoadCustomerAndProtocolLists(languageIndex);
    const SheetSettings settings{languageIndex, decimal, ReadCompanyFile(home_.path()),
                                 versionText};
    SheetData sheet;
    testing::EnsureGuiApplication();
    const ui::QtTextMetrics metrics;
    RecordingCanvas canvas(metrics);
    const PageDevice device = A4Page(dots);
    for (const char* name : {"03021001.126", "10221107.526"}) {
      const SheetLoad load = LoadSheetTest(exporter, settings, 0, tests_.path(), name, sheet);
      EXPECT_TRUE(load.page) << name;
      if (!load.page) continue;
      canvas.BeginPage(device.width, device.height, device.dots);
      DrawPageOnDevice(canvas, *load.page, device);
    }
    return canvas.Dump();
  }

  std::string Files() const {
    return tests_.File("03021001.126") + " " + tests_.File("10221107.526");
  }
};

TEST_F(CliSheet, TheDumpIsWhatTheSheetLayerDrawsForThoseFiles) {
  const struct {
    std::string options;
    int language;
    std::string decimal, version;
    Resolution dots;
  } cases[] = {
      {"--lang en --decimal .", 1, ".", "", {300, 300}},
      {"--lang fr --decimal , --version-text V3.10", 0, ",", "V3.10", {300, 300}},
      {"--lang de --decimal , --dpi 600", 5, ",", "", {600, 600}},
  };
  for (const auto& c : cases) {
    TempDir out;
    const CommandRun run =
        RunCli(home_.path(), "sheet " + c.options + " --ops " + out.File("d.txt") + " " + Files());
    EXPECT_EQ(run.status, 0) << c.options << "\n" << run.output;
    const std::string dump = ReadBytes(out.File("d.txt"));
    EXPECT_EQ(dump, ExpectedDump(c.language, c.decimal, c.version, c.dots)) << c.options;
    EXPECT_EQ(Count(dump, "page "), 2) << c.options;
  }
}

TEST_F(CliSheet, PagesAreA4At300DotsPerInchUnlessTold) {
  const CommandRun run = RunCli(home_.path(), "sheet --ops - " + tests_.File("03021001.126"));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.substr(0, run.output.find('\n')), "page 2480 3507 300 300");
  // The company lines of the program directory, decoded from code page 1252.
  EXPECT_NE(run.output.find(" Z.I. des C\u00e9r\u00e9ales\n"), std::string::npos);
}

TEST_F(CliSheet, APdfOfEveryPage) {
  TempDir out;
  const CommandRun run =
      RunCli(home_.path(), "sheet --lang en --pdf " + out.File("sheets.pdf") + " " + Files());
  EXPECT_EQ(run.status, 0) << run.output;
  const std::string pdf = ReadBytes(out.File("sheets.pdf"));
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(Count(pdf, "/Type /Page\n") + Count(pdf, "/Type /Page\r") + Count(pdf, "/Type /Page "),
            2);
  // Nothing but the command's own lines: Qt's notes about a session without
  // a display stay out.
  EXPECT_EQ(run.output, out.File("sheets.pdf") + "\n");
}

TEST_F(CliSheet, OnePngPerPageNamedAfterItsTestFile) {
  const struct {
    std::string dpi;
    std::pair<int, int> size;
  } cases[] = {{"", {2480, 3507}}, {"--dpi 150", {1240, 1753}}};
  for (const auto& c : cases) {
    TempDir out;
    const CommandRun run =
        RunCli(home_.path(), "sheet " + c.dpi + " --png " + out.path() + " " + Files());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(EntriesIn(out.path()), 2);
    for (const char* name : {"03021001.126.png", "10221107.526.png"}) {
      EXPECT_EQ(PngSize(ReadBytes(out.File(name))), c.size) << name << " " << c.dpi;
    }
  }
}

TEST_F(CliSheet, ThePngFolderIsMadeWhenItDoesNotExist) {
  TempDir out;
  const std::string folder = out.File("sheets/of today");
  const CommandRun run =
      RunCli(home_.path(), "sheet --dpi 50 --png '" + folder + "' " + tests_.File("03021001.126"));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(PngSize(ReadBytes(folder + "/03021001.126.png")), std::make_pair(413, 584));
  EXPECT_EQ(run.output, folder + "/03021001.126.png\n");

  // A folder that cannot be made is said once, and nothing is written.
  WriteBytes(out.File("a file"), "in the way");
  const CommandRun blocked = RunCli(home_.path(), "sheet --dpi 50 --png '" + out.File("a file") +
                                                      "/sub' " + tests_.File("03021001.126"));
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.output.find(out.File("a file") + "/sub: the folder could not be made"),
            std::string::npos)
      << blocked.output;
  EXPECT_EQ(Count(blocked.output, "\n"), 1) << blocked.output;
}

// A fontconfig set-up that knows no font at all: what a machine without a
// usable font gives the sheets.
std::string WithoutFonts(const TempDir& dir) {
  WriteBytes(dir.File("fonts.conf"),
             "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
             "<fontconfig><cachedir>" +
                 dir.File("cache") + "</cachedir></fontconfig>\n");
  return "FONTCONFIG_FILE='" + dir.File("fonts.conf") + "' ";
}

TEST_F(CliSheet, WithoutAFontForTheSheetsItSaysWhichFaceIsMissingAndWritesNothing) {
  for (const std::string output : {"--png pictures", "--pdf sheets.pdf", "--ops dump.txt"}) {
    TempDir out, fonts;
    const CommandRun run = testing::RunCommand(
        "cd '" + out.path() + "' && " + WithoutFonts(fonts) + "TESMORA_HOME='" + home_.path() +
        "' '" TESMORA_CLI "' sheet " + output + " " + Files() + " 2>&1");
    EXPECT_EQ(run.status, 1) << output << "\n" << run.output;
    EXPECT_NE(run.output.find("tesmora-cli: no installed font draws the sheets: their face "
                              "(Arial, Liberation Sans, Nimbus Sans, Helvetica or another "
                              "sans-serif face) is missing\n"),
              std::string::npos)
        << output << "\n"
        << run.output;
    EXPECT_EQ(EntriesIn(out.path()), 0) << output;
  }
}

TEST_F(CliSheet, AFileWithoutASheetIsReportedAndSkipped) {
  TempDir out;
  const CommandRun run = RunCli(
      home_.path(), "sheet --lang en --ops " + out.File("d.txt") + " " +
                        tests_.File("03021001.126") + " " + tests_.File("01010001.126") + " " +
                        tests_.File("01010002.726") + " " + tests_.File("10221107.526"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("01010001.126. Unexpected value"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("01010002.726: not a test file of a kind with a sheet"),
            std::string::npos)
      << run.output;
  // The two good files give their own pages, as without the bad ones.
  EXPECT_EQ(ReadBytes(out.File("d.txt")), ExpectedDump(1, ".", ""));
}

TEST_F(CliSheet, NoPageWritesNothing) {
  TempDir out;
  const CommandRun run = RunCli(
      home_.path(), "sheet --pdf " + out.File("none.pdf") + " " + tests_.File("01010002.726"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(EntriesIn(out.path()), 0);
}

TEST_F(CliSheet, WrongUsageExitsWithTwo) {
  for (const char* arguments :
       {"sheet", "sheet a.126", "sheet --pdf x.pdf", "sheet --pdf x.pdf --png d a.126",
        "sheet --dpi 10 --pdf x.pdf a.126", "sheet --dpi abc --pdf x.pdf a.126",
        "sheet --lang xx --pdf x.pdf a.126", "sheet --frobnicate --pdf x.pdf a.126",
        "sheet --pdf"}) {
    EXPECT_EQ(RunCli(home_.path(), arguments).status, 2) << arguments;
  }
  const CommandRun help = RunCli(home_.path(), "sheet --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("--png DIR"), std::string::npos);
}

}  // namespace
}  // namespace tesmora
