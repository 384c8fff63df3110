#include "shell/port_choice_texts.h"

#include <gtest/gtest.h>

namespace tesmora {
namespace {

const ResolvePath kSamePath = [](const std::string& path) { return path; };

constexpr char kStable[] = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";

PortChoices SampleChoices() {
  const std::vector<platform::SerialDevice> present = {
      {kStable, "/dev/ttyUSB0", "FTDI FT232R USB UART, serial A50285BI"},
      {"", "/dev/ttyS0", ""},
  };
  return MakePortChoices(
      "[PORTS]\nCOM3=/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"
      "COM4=/dev/serial/by-id/usb-Prolific_PL2303_ZX-if00-port0\nCOM5=/dev/ttyUSB0\n"
      "COM6=/tmp/\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\n",
      present, kSamePath);
}

TEST(PortChoiceTexts, BesideEachPortNameItsDeviceShortEnoughToReadAtAGlance) {
  const PortChoices choices = SampleChoices();
  const struct {
    int port;
    const char* label;
    int offered;
  } cases[] = {
      {1, "ttyS0", 1},                                        // present on-board port
      {2, "ttyS1", -1},                                       // default node, not there
      {3, "ttyUSB0", 0},                                      // stable name present: its node
      {4, "usb-Prolific_\u2026", -1},                         // stable name away: cut
      {5, "ttyUSB0", 0},                                      // the node itself
      {6, "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u2026", -1},  // cut between characters
  };
  for (const auto& c : cases) {
    const PortRow& row = choices.rows[c.port - 1];
    EXPECT_EQ(RowDeviceLabel(choices, row), c.label) << row.portName;
    EXPECT_EQ(OfferedDeviceOfRow(choices, row), c.offered) << row.portName;
  }
}

TEST(PortChoiceTexts, AnOfferedDeviceSaysWhatItIsItsNodeAndThePortsOnIt) {
  const PortChoices choices = SampleChoices();
  EXPECT_EQ(OfferedDeviceText(choices.devices[0], "Serial port"),
            "FTDI FT232R USB UART, serial A50285BI \u2013 ttyUSB0 (COM3, COM5)");
  EXPECT_EQ(OfferedDeviceText(choices.devices[1], "Serial port"),
            "Serial port \u2013 ttyS0 (COM1)");
  OfferedDevice unbound = choices.devices[1];
  unbound.portNames.clear();
  EXPECT_EQ(OfferedDeviceText(unbound, "Port s\u00e9rie"), "Port s\u00e9rie \u2013 ttyS0");
}

}  // namespace
}  // namespace tesmora
