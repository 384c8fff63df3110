#include "platform/serial_devices.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

namespace fs = std::filesystem;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;

// A machine in a folder: device nodes (plain files stand in for them), udev's
// stable names as links into the sample dev folder, and the sysfs entries the
// listing reads.
class SampleMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"dev", "dev/serial/by-id", "sys/class/tty",
                               "sys/devices/usb1/1-1/1-1:1.0/ttyUSB1", "sys/devices/platform"}) {
      fs::create_directories(Path(folder));
    }
    for (const char* node : {"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0",
                             "ttyS1", "ttyS4", "tty0", "ttyUSBx", "console"}) {
      WriteBytes(Path(std::string("dev/") + node), "");
    }
    // ttyS0 is a real UART, ttyS1 one the kernel only might have; ttyS4 has
    // no type attribute but a driver bound to its device.
    Tty("ttyS0");
    WriteBytes(Path("sys/class/tty/ttyS0/type"), "4\n");
    Tty("ttyS1");
    WriteBytes(Path("sys/class/tty/ttyS1/type"), "0\n");
    Tty("ttyS4");
    fs::create_directories(Path("sys/devices/platform/uart4/driver"));
    fs::create_directory_symlink(Path("sys/devices/platform/uart4"),
                                 Path("sys/class/tty/ttyS4/device"));
    // ttyUSB1 is an adapter that tells its maker, product and serial number.
    Tty("ttyUSB1");
    fs::create_directory_symlink(Path("sys/devices/usb1/1-1/1-1:1.0/ttyUSB1"),
                                 Path("sys/class/tty/ttyUSB1/device"));
    WriteBytes(Path("sys/devices/usb1/1-1/idVendor"), "0403\n");
    WriteBytes(Path("sys/devices/usb1/1-1/manufacturer"), "FTDI\n");
    WriteBytes(Path("sys/devices/usb1/1-1/product"), "FT232R USB UART\n");
    WriteBytes(Path("sys/devices/usb1/1-1/serial"), "A50285BI\n");
    // Stable names: one relative link as udev makes them, one absolute, and
    // one left behind by an adapter that has gone.
    fs::create_symlink("../../ttyUSB1",
                       Path("dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"));
    fs::create_symlink(Path("dev/ttyACM0"), Path("dev/serial/by-id/usb-Maker_Board_42-if00"));
    fs::create_symlink("../../ttyUSB7", Path("dev/serial/by-id/usb-Gone_Adapter-if00-port0"));
  }
  std::string Path(const std::string& relative) const { return dir_.path() + "/" + relative; }
  void Tty(const std::string& name) { fs::create_directories(Path("sys/class/tty/" + name)); }
  SerialDeviceRoots Roots() const { return {Path("dev"), Path("dev/serial/by-id"), Path("sys")}; }

  TempDir dir_;
};

TEST_F(SampleMachine, StableNamesFirstThenAdaptersThenRealOnBoardPorts) {
  const std::vector<SerialDevice> devices = ListSerialDevices(Roots());
  struct Expected {
    std::string stable, node, description;
  };
  const std::vector<Expected> expected = {
      {Path("dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"), Path("dev/ttyUSB1"),
       "FTDI FT232R USB UART, serial A50285BI"},
      {Path("dev/serial/by-id/usb-Maker_Board_42-if00"), Path("dev/ttyACM0"), ""},
      {"", Path("dev/ttyUSB0"), ""},
      {"", Path("dev/ttyUSB2"), ""},
      {"", Path("dev/ttyUSB10"), ""},
      {"", Path("dev/ttyS0"), ""},
      {"", Path("dev/ttyS4"), ""},
  };
  ASSERT_EQ(devices.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(devices[i].stablePath, expected[i].stable) << i;
    EXPECT_EQ(devices[i].devicePath, expected[i].node) << i;
    EXPECT_EQ(devices[i].description, expected[i].description) << i;
  }
  EXPECT_EQ(devices[0].BindingPath(), expected[0].stable);
  EXPECT_EQ(devices[2].BindingPath(), Path("dev/ttyUSB0"));
}

TEST_F(SampleMachine, NoFoldersMeanNoDevices) {
  EXPECT_TRUE(ListSerialDevices({Path("none"), Path("none/by-id"), Path("none/sys")}).empty());
  // Without the by-id folder (no adapter has a stable name) the nodes remain.
  SerialDeviceRoots roots = Roots();
  roots.byId = Path("dev/serial/none");
  EXPECT_EQ(ListSerialDevices(roots).size(), 7u);
}

TEST_F(SampleMachine, ResolvingFollowsLinksAndKeepsAPathThatLeadsNowhere) {
  EXPECT_EQ(ResolveDevicePath(Path("dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0")),
            fs::canonical(Path("dev/ttyUSB1")).string());
  const std::string gone = Path("dev/serial/by-id/usb-Gone_Adapter-if00-port0");
  EXPECT_EQ(ResolveDevicePath(gone), gone);
}

}  // namespace
}  // namespace tesmora::platform
