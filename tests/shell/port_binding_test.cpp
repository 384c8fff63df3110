#include "shell/port_binding.h"

#include <gtest/gtest.h>

#include <map>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

using platform::SerialDevice;
using testing::EntriesIn;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const SerialDevice kAdapter{"/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0", "/dev/ttyUSB1",
                            "FTDI FT232R USB UART, serial A50285BI"};
const SerialDevice kSecondAdapter{"", "/dev/ttyUSB0", ""};
const SerialDevice kOnBoard{"", "/dev/ttyS0", ""};

// Links as the machine would follow them.
std::string Resolve(const std::string& path) {
  static const std::map<std::string, std::string> links = {{kAdapter.stablePath, "/dev/ttyUSB1"},
                                                           {"/home/lab/kaldirone", "/dev/ttyUSB1"}};
  const auto it = links.find(path);
  return it == links.end() ? path : it->second;
}

TEST(PortChoices, RowsShowWhatEachNameMapsToAndDevicesTheNamesThatMapToThem) {
  const std::string settings =
      "[LIAISON]\r\nPort=COM3\r\n[PORTS]\r\nCOM3=/dev/serial/by-id/"
      "usb-FTDI_FT232R_A50285BI-if00-port0\r\nCOM5=/home/lab/kaldirone\r\n"
      "COM7=/dev/serial/by-id/usb-Gone-if00\r\nCOM8=\r\n";
  const PortChoices choices =
      MakePortChoices(settings, {kAdapter, kSecondAdapter, kOnBoard}, Resolve);

  ASSERT_EQ(choices.rows.size(), 27u);
  const struct {
    int index;
    std::string name, path;
    bool bound, present;
  } rows[] = {
      {0, "COM1", "/dev/ttyS0", false, true},
      {1, "COM2", "/dev/ttyS1", false, false},
      {2, "COM3", kAdapter.stablePath, true, true},
      {4, "COM5", "/home/lab/kaldirone", true, true},
      {6, "COM7", "/dev/serial/by-id/usb-Gone-if00", true, false},
      // An empty entry is no binding: the name keeps its default.
      {7, "COM8", "/dev/ttyS7", false, false},
      {26, "COM27", "/dev/ttyS26", false, false},
  };
  for (const auto& r : rows) {
    const PortRow& row = choices.rows[static_cast<std::size_t>(r.index)];
    EXPECT_EQ(row.portName, r.name);
    EXPECT_EQ(row.devicePath, r.path) << r.name;
    EXPECT_EQ(row.bound, r.bound) << r.name;
    EXPECT_EQ(row.present, r.present) << r.name;
  }

  ASSERT_EQ(choices.devices.size(), 3u);
  EXPECT_EQ(choices.devices[0].device.stablePath, kAdapter.stablePath);
  EXPECT_EQ(choices.devices[0].portNames, (std::vector<std::string>{"COM3", "COM5"}));
  EXPECT_TRUE(choices.devices[1].portNames.empty());
  EXPECT_EQ(choices.devices[2].portNames, std::vector<std::string>{"COM1"});
}

TEST(PortChoices, WithoutSettingsEveryNameHasItsDefaultDevice) {
  const PortChoices choices = MakePortChoices("", {kOnBoard}, Resolve);
  EXPECT_EQ(choices.rows[11].devicePath, "/dev/ttyS11");
  EXPECT_FALSE(choices.rows[11].bound);
  EXPECT_EQ(choices.devices[0].portNames, std::vector<std::string>{"COM1"});
}

TEST(BindPort, WritesTheStableNameAndKeepsEveryOtherLine) {
  TempDir program;
  const std::string before =
      "; laboratory settings\r\n[LIAISON]\r\nPort=COM3\r\n\r\n[PORTS]\r\n"
      "COM3=/dev/ttyUSB0\r\nCOM4=/dev/ttyUSB4\r\n[EXPORT]\r\nMode=1\r\n";
  WriteBytes(program.File("tesmora.ini"), before);
  Settings settings = LoadSettings(program.path(), "/tmp");

  ASSERT_TRUE(BindPort(settings, "COM3", kAdapter));
  EXPECT_EQ(ReadBytes(settings.settingsPath),
            "; laboratory settings\r\n[LIAISON]\r\nPort=COM3\r\n\r\n[PORTS]\r\n"
            "COM3=/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0\r\n"
            "COM4=/dev/ttyUSB4\r\n[EXPORT]\r\nMode=1\r\n");
  // A device without a stable name is bound by its node.
  ASSERT_TRUE(BindPort(settings, "COM6", kSecondAdapter));
  EXPECT_EQ(PortDevicePath(settings, "COM6"), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevicePath(settings, "COM3"), kAdapter.stablePath);
  EXPECT_EQ(EntriesIn(program.path()), 1);  // no temporary file left
}

TEST(BindPort, AddsTheSectionToAFileWithoutOne) {
  TempDir program;
  WriteBytes(program.File("tesmora.ini"), "[LIAISON]\nPort=COM1\n");
  Settings settings = LoadSettings(program.path(), "/tmp");
  ASSERT_TRUE(BindPort(settings, "COM1", kAdapter));
  EXPECT_EQ(ReadBytes(settings.settingsPath),
            "[LIAISON]\nPort=COM1\n[PORTS]\nCOM1=" + kAdapter.stablePath + "\n");
}

}  // namespace
}  // namespace tesmora
