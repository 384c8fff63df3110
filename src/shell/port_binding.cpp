#include "shell/port_binding.h"

#include <optional>

#include "platform/file_io.h"
#include "platform/profile_file.h"

namespace tesmora {

namespace {

constexpr std::string_view kPortsSection = "PORTS";

bool LeadsTo(const std::string& path, const platform::SerialDevice& device,
             const ResolvePath& resolve) {
  if (path.empty()) return false;
  if (path == device.devicePath || (!device.stablePath.empty() && path == device.stablePath))
    return true;
  return resolve(path) == resolve(device.devicePath);
}

}  // namespace

PortChoices MakePortChoices(std::string_view settingsText,
                            const std::vector<platform::SerialDevice>& present,
                            const ResolvePath& resolve) {
  PortChoices choices;
  for (const platform::SerialDevice& device : present) choices.devices.push_back({device, {}});
  for (int number = 1; number <= kPortNameCount; ++number) {
    PortRow row;
    row.portName = "COM" + std::to_string(number);
    const std::optional<std::string> bound =
        platform::FindProfileValue(settingsText, kPortsSection, row.portName);
    row.bound = bound && !bound->empty();
    row.devicePath = row.bound ? *bound : DefaultPortDevice(row.portName);
    for (OfferedDevice& offered : choices.devices) {
      if (!LeadsTo(row.devicePath, offered.device, resolve)) continue;
      row.present = true;
      offered.portNames.push_back(row.portName);
    }
    choices.rows.push_back(std::move(row));
  }
  return choices;
}

PortChoices ReadPortChoices(const Settings& settings, const platform::SerialDeviceRoots& roots) {
  const std::string text = platform::ReadWholeFile(settings.settingsPath).value_or(std::string());
  return MakePortChoices(text, platform::ListSerialDevices(roots), platform::ResolveDevicePath);
}

bool BindPort(const Settings& settings, std::string_view portName,
              const platform::SerialDevice& device) {
  return platform::WriteProfileString(settings.settingsPath, kPortsSection, portName,
                                      device.BindingPath());
}

}  // namespace tesmora
