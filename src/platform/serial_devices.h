#pragma once

#include <string>
#include <vector>

namespace tesmora::platform {

// A serial device present on the machine.
struct SerialDevice {
  // The name that stays the same from one plug to the next and in whichever
  // socket the adapter sits (/dev/serial/by-id/usb-...); empty for on-board
  // ports and adapters without one.
  std::string stablePath;
  // The kernel's node (/dev/ttyUSB0), which may change between plugs.
  std::string devicePath;
  // Maker, product and serial number, where the system knows them.
  std::string description;

  // What a binding of a port name records: the stable name where there is one.
  const std::string& BindingPath() const { return stablePath.empty() ? devicePath : stablePath; }
};

// Where the listing looks; tests point these at a sample tree.
struct SerialDeviceRoots {
  std::string dev = "/dev";
  std::string byId = "/dev/serial/by-id";
  std::string sys = "/sys";
};

// The serial devices present: those with a stable name first (in the order of
// their names), then the remaining ttyUSB, ttyACM and on-board ttyS devices,
// each family in the order of its numbers. The kernel makes a ttyS node for
// every UART it might have; only those whose port type is known (the `type`
// attribute under /sys/class/tty, not 0) are real.
std::vector<SerialDevice> ListSerialDevices(const SerialDeviceRoots& roots = {});

// The device a path leads to, its symbolic links followed; the path itself
// when it leads nowhere.
std::string ResolveDevicePath(const std::string& path);

}  // namespace tesmora::platform
