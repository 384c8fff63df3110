// tesmora-cli ports, on a sample machine in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/profile_file.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tesmora {
namespace {

namespace fs = std::filesystem;
using tesmora::testing::CommandRun;
using tesmora::testing::RunCommand;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;

class CliPorts : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Machine("dev/serial/by-id"));
    fs::create_directories(Machine("sys/class/tty/ttyS0"));
    for (const char* node : {"ttyUSB0", "ttyUSB1", "ttyS0"}) WriteBytes(Machine("dev/") + node, "");
    WriteBytes(Machine("sys/class/tty/ttyS0/type"), "4\n");
    fs::create_symlink("../../ttyUSB1", Machine("dev/serial/by-id/usb-FTDI_FT232R_A5-if00-port0"));
    const std::string ini = home_.File("tesmora.ini");
    ASSERT_TRUE(platform::WriteProfileString(ini, "LIAISON", "Port", "COM3"));
    ASSERT_TRUE(platform::WriteProfileString(ini, "PORTS", "COM3", Stable()));
    ASSERT_TRUE(platform::WriteProfileString(ini, "PORTS", "COM5", Machine("dev/ttyUSB7")));
  }
  std::string Machine(const std::string& relative) const {
    return machine_.path() + "/" + relative;
  }
  std::string Stable() const { return Machine("dev/serial/by-id/usb-FTDI_FT232R_A5-if00-port0"); }
  CommandRun Cli(const std::string& arguments) {
    return RunCommand("cd '" + home_.path() + "' && TESMORA_HOME='" + home_.path() + "' " +
                      TESMORA_CLI + " " + arguments + " 2>&1");
  }
  std::string Roots(const std::string& top) const {
    return "--dev '" + top + "/dev' --by-id '" + top + "/dev/serial/by-id' --sys '" + top + "/sys'";
  }

  TempDir home_;
  TempDir machine_;
};

TEST_F(CliPorts, ListsTheDevicesWithTheirStableNamesAndThePortNamesThatMapToThem) {
  const CommandRun run = Cli("ports " + Roots(machine_.path()));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "COM3\t" + Stable() + "\t" + Machine("dev/ttyUSB1") + "\t\n" + "-\t\t" +
                            Machine("dev/ttyUSB0") + "\t\n" + "-\t\t" + Machine("dev/ttyS0") +
                            "\t\n" + "COM5\t" + Machine("dev/ttyUSB7") + "\t\tnot present\n");
}

TEST_F(CliPorts, NoDeviceExitsOneAndWrongUsageTwo) {
  TempDir empty;
  const CommandRun none = Cli("ports " + Roots(empty.path()));
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.output.find("no serial device found"), std::string::npos) << none.output;
  EXPECT_EQ(Cli("ports --dev").status, 2);
  EXPECT_EQ(Cli("ports extra").status, 2);
  const CommandRun help = Cli("ports --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("usage: tesmora-cli ports"), std::string::npos);
  const CommandRun programHelp = Cli("--help");
  EXPECT_NE(programHelp.output.find("  ports "), std::string::npos) << programHelp.output;
}

}  // namespace
}  // namespace tesmora
