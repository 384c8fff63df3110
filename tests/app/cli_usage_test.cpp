// What tesmora-cli says about its commands: each command's usage line, made
// from the options it defines, on --help and after wrong usage, and the
// program's list of commands.
#include <gtest/gtest.h>

#include <string>

#include "app/cli_test_support.h"

namespace tesmora {
namespace {

using testing::CommandRun;
using testing::RunCommand;
using testing::TempDir;

class CliUsage : public ::testing::Test {
 protected:
  // What the program writes on standard output alone, or on standard error.
  CommandRun Out(const std::string& arguments) { return Run(arguments + " 2>/dev/null"); }
  CommandRun Err(const std::string& arguments) { return Run(arguments + " 2>&1 >/dev/null"); }
  CommandRun Run(const std::string& arguments) {
    return RunCommand("TESMORA_HOME='" + home_.path() + "' LC_ALL=C '" TESMORA_CLI "' " +
                      arguments);
  }
  TempDir home_;
};

TEST_F(CliUsage, EachCommandsUsageLineComesFromItsOptions) {
  struct Case {
    const char* command;
    const char* usage;
  };
  const Case cases[] = {
      {"export",
       "usage: tesmora-cli export [--lang fr|en|es|it|pt|de|pl|cs] [--out DIR]\n"
       "                          [--version-text TEXT] [--basis-flags N] FILE...\n\n"},
      {"sheet",
       "usage: tesmora-cli sheet [--lang fr|en|es|it|pt|de|pl|cs] [--dpi N] [--decimal C]\n"
       "                         [--version-text TEXT] (--pdf OUT | --png DIR | --ops OUT)\n"
       "                         FILE...\n\n"},
      {"ports", "usage: tesmora-cli ports [--dev DIR] [--by-id DIR] [--sys DIR]\nLists "},
      {"list", "usage: tesmora-cli list [--memory 0|1|2] [--port COMn]\nLists "},
      {"version", "usage: tesmora-cli version [--port COMn]\nPrints "},
      {"get", "usage: tesmora-cli get NAME... [--to DIR] [--memory 0|1|2] [--port COMn]\nCopies "},
      {"put", "usage: tesmora-cli put FILE... [--port COMn]\nCopies "},
      {"delete", "usage: tesmora-cli delete NAME... [--port COMn]\nDeletes "},
      {"listen", "usage: tesmora-cli listen [--export] [--port COMn]\nStores "},
  };
  for (const Case& c : cases) {
    const std::string command = c.command;
    const CommandRun help = Out(command + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_TRUE(help.output.starts_with(c.usage)) << help.output;
    // Wrong usage shows the same help on standard error, and nothing else.
    const CommandRun wrong = Err(command + " --frobnicate");
    EXPECT_EQ(wrong.status, 2) << command;
    EXPECT_EQ(wrong.output, help.output) << command;
    EXPECT_EQ(Out(command + " --frobnicate").output, "") << command;
  }
}

TEST_F(CliUsage, TheProgramsHelpListsEveryCommand) {
  const std::string overview =
      "usage: tesmora-cli [--help] [--version] COMMAND [ARGS]\n"
      "\n"
      "Tesmora's command-line program. Commands (each takes --help):\n"
      "  export FILE...               write the export texts of test files\n"
      "  sheet (--pdf|--png|--ops) OUT FILE...\n"
      "                               draw the result sheets of test files\n"
      "  ports                        the serial devices present, with their stable\n"
      "                               names and the port name that maps to each\n"
      "  list [--memory 0|1|2]        the recorder's files: name, type, sample,\n"
      "                               degradation, date (tab-separated)\n"
      "  version                      the recorder's version text\n"
      "  get NAME... [--to DIR]       copy files from the recorder (default: here)\n"
      "  put FILE...                  copy test files to the recorder\n"
      "  delete NAME...               delete files on the recorder\n"
      "  listen [--export]            store what the recorder pushes in the automatic\n"
      "                               save folder and serve its program requests,\n"
      "                               until interrupted; it waits out an unplugged\n"
      "                               adapter\n"
      "  Every recorder command takes --port COMn (default: the settings' port).\n";
  const CommandRun help = Out("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.output, overview);
  const CommandRun wrong = Err("frobnicate");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.output, overview);
}

// An option given twice takes its last value; one of the sheet's outputs
// given twice is wrong usage, as two different ones are.
TEST_F(CliUsage, RepeatedOptions) {
  const CommandRun french = Err("export --lang en --lang fr no-such.126");
  EXPECT_EQ(french.status, 1);
  EXPECT_NE(french.output.find("no-such.126. ERREUR OUVERTURE"), std::string::npos)
      << french.output;
  EXPECT_EQ(Err("sheet --pdf a.pdf --pdf b.pdf a.126").status, 2);
}

}  // namespace
}  // namespace tesmora
