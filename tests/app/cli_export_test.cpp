#include <gtest/gtest.h>

#include <string>

#include "app/cli_test_support.h"
#include "fixtures/test_file_writer.h"
#include "records/exporter.h"

namespace tesmora {
namespace {

using testing::AsText;
using testing::CommandRun;
using testing::EntriesIn;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempDir;
using testing::WriteBytes;

class CliExport : public testing::CliWithTests {
 protected:
  CliExport() { WriteBytes(tests_.File("01010001.126"), "no test in here"); }
};

TEST_F(CliExport, WritesTheSameBytesAsTheProgramsExporter) {
  TempDir out;
  const CommandRun run = RunCli(
      home_.path(), "export --lang fr --basis-flags 8 --version-text V3.1 --out " + out.path() +
                        " " + tests_.File("03021001.126") + " " + tests_.File("10221107.526"));
  EXPECT_EQ(run.status, 0) << run.output;

  TempDir programHome;
  for (const char* list : {"cliente.txt", "protocol.txt"}) {
    WriteBytes(programHome.File(list), ReadBytes(home_.File(list)));
  }
  Exporter exporter(programHome.path(), programHome.path());
  exporter.LoadCustomerAndProtocolLists(0);
  const ExportSettings settings{0, "V3.1", 8};
  for (const char* name : {"03021001.126", "10221107.526"}) {
    const Exporter::Outcome expected = exporter.ExportTestFile(tests_.path(), name, settings);
    ASSERT_TRUE(expected.ok);
    EXPECT_EQ(ReadBytes(out.File(ExportFileName(name))), ReadBytes(expected.exportPath)) << name;
  }
}

TEST_F(CliExport, ReportsAFailedFileAndGoesOnWithTheNext) {
  const CommandRun run = RunCli(home_.path(), "export --lang en " + tests_.File("01010001.126") +
                                                  " " + tests_.File("03021001.126"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("01010001.126. Unexpected value.Impossible export"), std::string::npos)
      << run.output;
  EXPECT_FALSE(ReadBytes(tests_.File("03021001.AHC")).empty());
  // The failed file left no export behind: three tests and one export.
  EXPECT_EQ(EntriesIn(tests_.path()), 4);
}

TEST_F(CliExport, WrongUsageExitsWithTwo) {
  for (const char* arguments :
       {"export", "export --lang xx a.126", "export --basis-flags 300 a.126",
        "export --frobnicate a.126", "frobnicate"}) {
    EXPECT_EQ(RunCli(home_.path(), arguments).status, 2) << arguments;
  }
  EXPECT_EQ(RunCli(home_.path(), "export --help").status, 0);
}

}  // namespace
}  // namespace tesmora
