#include "app/cli_ports_command.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_command_line.h"
#include "platform/paths.h"
#include "shell/port_binding.h"
#include "shell/settings.h"

namespace tesmora::cli {

namespace {

std::string Joined(const std::vector<std::string>& names) {
  if (names.empty()) return "-";
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ",") + name;
  return text;
}

int RunPortsCommand(int argc, char** argv) {
  platform::SerialDeviceRoots roots;
  CommandLine line(kPortsCommand);
  line->add_option("--dev", roots.dev)->type_name("DIR");
  line->add_option("--by-id", roots.byId)->type_name("DIR");
  line->add_option("--sys", roots.sys)->type_name("DIR");
  if (const std::optional<int> status = line.Parse(argc, argv)) return *status;
  const Settings settings =
      LoadSettings(platform::ProgramDirectory(), platform::CurrentWorkingDirectory());
  const PortChoices choices = ReadPortChoices(settings, roots);
  for (const OfferedDevice& offered : choices.devices) {
    std::printf("%s\t%s\t%s\t%s\n", Joined(offered.portNames).c_str(),
                offered.device.stablePath.c_str(), offered.device.devicePath.c_str(),
                offered.device.description.c_str());
  }
  for (const PortRow& row : choices.rows) {
    if (row.bound && !row.present) {
      std::printf("%s\t%s\t\tnot present\n", row.portName.c_str(), row.devicePath.c_str());
    }
  }
  if (choices.devices.empty()) {
    std::fputs("tesmora-cli: no serial device found\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace

const Command kPortsCommand{
    .name = "ports",
    .synopsis = "ports",
    .summary =
        "the serial devices present, with their stable\n"
        "names and the port name that maps to each",
    .description =
        "Lists the serial devices present, one tab-separated line each: the port names\n"
        "that stand for it (\"-\" for none), its stable name (empty when it has none),\n"
        "its device node, and its maker, product and serial number when known.\n"
        "Then each port name of the [PORTS] section whose device is not present:\n"
        "the name, its path and \"not present\". Bind a port name to a device by\n"
        "writing its stable name in tesmora.ini, for example\n"
        "  [PORTS]\n"
        "  COM3=/dev/serial/by-id/usb-...\n"
        "--dev, --by-id and --sys look in another tree than /dev, /dev/serial/by-id\n"
        "and /sys.\n",
    .run = RunPortsCommand,
};

}  // namespace tesmora::cli
