#include "explorer/manual_export.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "explorer/pc_list.h"
#include "explorer_fixture.h"
#include "fixtures/test_file_writer.h"
#include "records/test_names.h"
#include "shell/message_table.h"

namespace tesmora::explorer {
namespace {

using tesmora::testing::ReadBytes;
using testing::ExplorerFixture;

class ManualExportTest : public ExplorerFixture {
 protected:
  // Writes a stand-in export where the exporter would.
  ExportOneFile StandInExporter() {
    return
        [this](const std::string& directory, const std::string& name, platform::OverwritePolicy) {
          exported.push_back(name);
          MakeFile(directory + ExportFileName(name), "export of " + name);
          return platform::FsStatus::Ok;
        };
  }
  std::vector<std::string> exported;
  const std::vector<std::string> selected{"03151022.103", "03151023.403", "03151024.503"};
};

TEST_F(ManualExportTest, AnExistingExportAnsweredNoIsSkipped) {
  MakeFile(home + "/03151023.CC2", "older export");
  prompter.Script({PromptAnswer::No});
  const std::vector<std::string> written =
      ExportSelectedFiles(Context(), home + "/", selected, StandInExporter());
  EXPECT_EQ(written, (std::vector<std::string>{"03151022.AHC", "03151024.CA2"}));
  EXPECT_EQ(exported, (std::vector<std::string>{"03151022.103", "03151024.503"}));
  EXPECT_EQ(ReadBytes(home + "/03151023.CC2"), "older export");
  EXPECT_EQ(prompter.questions(),
            std::vector<std::string>{"03151023.CC2. " + MessageUtf8(msg::kReplaceFile, english)});
}

// A pipe or a device of a test's name is never opened: it is named and left
// out, and a write-protected export is asked about again before it goes.
TEST_F(ManualExportTest, PipesAreLeftOutAndAWriteProtectedExportIsAskedAbout) {
  ASSERT_EQ(::mkfifo((home + "/03151022.103").c_str(), 0600), 0);
  MakeFile(home + "/03151023.CC2", "older export");
  MakeReadOnly(home + "/03151023.CC2");
  prompter.Script({PromptAnswer::Yes, PromptAnswer::Cancel});
  const std::vector<std::string> written =
      ExportSelectedFiles(Context(), home + "/", selected, StandInExporter());
  EXPECT_EQ(written, std::vector<std::string>{"03151024.CA2"});
  EXPECT_EQ(exported, std::vector<std::string>{"03151024.503"});
  EXPECT_EQ(prompter.messages(),
            std::vector<std::string>{"03151022.103. " + MessageUtf8(msg::kNotAFile, english)});
  EXPECT_EQ(prompter.questions(),
            (std::vector<std::string>{"03151023.CC2. " + MessageUtf8(msg::kReplaceFile, english),
                                      "03151023.CC2. " + MessageUtf8(msg::kReadOnlyFile, english) +
                                          MessageUtf8(msg::kReplaceFile, english)}));
  EXPECT_EQ(ReadBytes(home + "/03151023.CC2"), "older export");
}

TEST_F(ManualExportTest, CancelSkipsOnlyThatFile) {
  MakeFile(home + "/03151022.AHC");
  MakeFile(home + "/03151023.CC2");
  prompter.Script({PromptAnswer::Cancel});
  ExportSelectedFiles(Context(), home + "/", selected, StandInExporter());
  // The second is asked about again and answered Yes.
  EXPECT_EQ(exported, (std::vector<std::string>{"03151023.403", "03151024.503"}));
  EXPECT_EQ(prompter.questions().size(), 2u);
  EXPECT_TRUE(ExportSelectedFiles(Context(), home + "/", {}, StandInExporter()).empty());
}

TEST_F(ManualExportTest, TheExporterWritesTheExportsThatTheListThenShows) {
  MakeFolder(temp.File("program"));
  MakeFolder(home + "/Tests");
  const fixtures::Bytes test =
      fixtures::BuildInflationFile(fixtures::RealisticInflationTest(3, '1'));
  MakeFile(home + "/Tests/03151022.103", std::string(test.begin(), test.end()));
  MakeFile(home + "/Tests/03151023.103", "not a test file");
  MakeFile(home + "/Tests/03151024.103", std::string(test.begin(), test.end()));
  MakeFile(home + "/Tests/03151024.AHC", "older export");
  Exporter exporter(temp.File("program"), temp.File("program"));
  prompter.Script({PromptAnswer::No});
  const std::vector<std::string> written = ExportSelectedFiles(
      Context(), home + "/Tests/", {"03151022.103", "03151023.103", "03151024.103"},
      ExportThrough(exporter, ExportSettings{}, prompter, english));
  EXPECT_EQ(written, std::vector<std::string>{"03151022.AHC"});
  // The broken file said why; the export answered No was left alone.
  EXPECT_EQ(prompter.messages().size(), 1u);
  EXPECT_EQ(prompter.captions(), std::vector<std::string>{"Tesmora"});
  EXPECT_EQ(ReadBytes(home + "/Tests/03151024.AHC"), "older export");

  FolderTree tree;
  tree.Fill(fs);
  PcList list;
  list.Fill(tree, tree.FindChild(tree.FindChild(kNoNode, "home"), "Tests"), fs, false);
  const auto& rows = list.rows();
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [](const PcListRow& r) { return r.name == "03151022.AHC"; });
  ASSERT_NE(row, rows.end());
  EXPECT_EQ(row->type, "DB-AHC");
  EXPECT_EQ(row->date, "15/03/03");  // the test's date, from the name
}

}  // namespace
}  // namespace tesmora::explorer
