#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/serial_devices.h"
#include "shell/settings.h"

namespace tesmora {

// The port names the port dialog offers, COM1 to COM27.
inline constexpr int kPortNameCount = 27;

// One row of the port dialog: a port name and the device it stands for.
struct PortRow {
  std::string portName;
  std::string devicePath;  // the [PORTS] entry, else COMn -> /dev/ttyS(n-1)
  bool bound = false;      // the path comes from the [PORTS] section
  bool present = false;    // the path leads to one of the devices present
};

// A device present on the machine, offered for binding, with the port names
// that stand for it now.
struct OfferedDevice {
  platform::SerialDevice device;
  std::vector<std::string> portNames;
};

struct PortChoices {
  std::vector<PortRow> rows;           // COM1 to COM27, in order
  std::vector<OfferedDevice> devices;  // in the order of the listing
};

// How a path leads to its device (symbolic links followed); the identity in
// tests.
using ResolvePath = std::function<std::string(const std::string&)>;

// The port dialog's content from the text of the settings file and the
// devices present. A port name stands for a device when its path is the
// device's stable name or node, or resolves to the same node.
PortChoices MakePortChoices(std::string_view settingsText,
                            const std::vector<platform::SerialDevice>& present,
                            const ResolvePath& resolve);

// The same, from the settings file and the devices the machine has.
PortChoices ReadPortChoices(const Settings& settings,
                            const platform::SerialDeviceRoots& roots = {});

// Binds a port name to a device in the [PORTS] section, by its stable name
// where it has one. The file is replaced atomically and keeps every other
// line. False when it could not be written.
bool BindPort(const Settings& settings, std::string_view portName,
              const platform::SerialDevice& device);

}  // namespace tesmora
