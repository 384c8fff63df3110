#include "explorer/manual_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explorer_fixture.h"
#include "records/test_names.h"
#include "shell/message_table.h"

namespace tesmora::explorer {
namespace {

using tesmora::testing::ReadBytes;
using testing::ExplorerFixture;

class ManualExportTest : public ExplorerFixture {
 protected:
  // Writes a stand-in export where the exporter would.
  ExportOneFile Exporter() {
    return [this](const std::string& directory, const std::string& name) {
      exported.push_back(name);
      MakeFile(directory + ExportFileName(name), "export of " + name);
      return true;
    };
  }
  std::vector<std::string> exported;
  const std::vector<std::string> selected{"03151022.103", "03151023.403", "03151024.503"};
};

TEST_F(ManualExportTest, AnExistingExportAnsweredNoIsSkipped) {
  MakeFile(home + "/03151023.CC2", "older export");
  prompter.Script({PromptAnswer::No});
  const std::vector<std::string> written =
      ExportSelectedFiles(Context(), home + "/", selected, Exporter());
  EXPECT_EQ(written, (std::vector<std::string>{"03151022.AHC", "03151024.CA2"}));
  EXPECT_EQ(exported, (std::vector<std::string>{"03151022.103", "03151024.503"}));
  EXPECT_EQ(ReadBytes(home + "/03151023.CC2"), "older export");
  EXPECT_EQ(prompter.questions(),
            std::vector<std::string>{"03151023.CC2. " + MessageUtf8(285, english)});
}

TEST_F(ManualExportTest, CancelSkipsOnlyThatFile) {
  MakeFile(home + "/03151022.AHC");
  MakeFile(home + "/03151023.CC2");
  prompter.Script({PromptAnswer::Cancel});
  ExportSelectedFiles(Context(), home + "/", selected, Exporter());
  // The second is asked about again and answered Yes.
  EXPECT_EQ(exported, (std::vector<std::string>{"03151023.403", "03151024.503"}));
  EXPECT_EQ(prompter.questions().size(), 2u);
  EXPECT_TRUE(ExportSelectedFiles(Context(), home + "/", {}, Exporter()).empty());
}

}  // namespace
}  // namespace tesmora::explorer
