#include "shell/settings.h"

#include <optional>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/profile_file.h"

namespace tesmora {

namespace {

constexpr std::string_view kPortSection = "LIAISON";
constexpr std::string_view kPortKey = "Port";
constexpr std::string_view kExportSection = "EXPORT";
constexpr std::string_view kExportKey = "Mode";
constexpr std::string_view kDirectorySection = "REPERTOIRE";
constexpr std::string_view kDirectoryKey = "Sauvegarde Auto";
constexpr std::string_view kPortsSection = "PORTS";

}  // namespace

std::string AcceptPortName(std::string_view value) {
  if (value.empty() || value.size() > kMaxPortNameLength) return std::string(kDefaultPortName);
  return std::string(value);
}

Settings LoadSettings(const std::string& programDirectory, const std::string& workingDirectory) {
  Settings settings;
  settings.startupWorkingDirectory = workingDirectory;
  settings.settingsPath = platform::JoinPath(programDirectory, kSettingsFileName);

  // A file that cannot be read is treated like a missing one.
  const std::optional<std::string> content = platform::ReadWholeFile(settings.settingsPath);
  if (!content) {
    settings.portName = std::string(kDefaultPortName);
    settings.ExportDataMode = 0;
    settings.AutoSaveDirectory = platform::WithTrailingSeparator(workingDirectory);
    platform::WriteProfileString(settings.settingsPath, kPortSection, kPortKey, settings.portName);
    platform::WriteProfileString(settings.settingsPath, kExportSection, kExportKey, "0");
    platform::WriteProfileString(settings.settingsPath, kDirectorySection, kDirectoryKey,
                                 settings.AutoSaveDirectory);
    return settings;
  }

  const auto value = [&](std::string_view section, std::string_view key) {
    return platform::FindProfileValue(*content, section, key);
  };
  settings.portName =
      AcceptPortName(value(kPortSection, kPortKey).value_or(std::string(kDefaultPortName)));
  const std::optional<std::string> mode = value(kExportSection, kExportKey);
  settings.ExportDataMode = (mode && platform::ProfileValueToInt(*mode) != 0) ? 1 : 0;
  settings.AutoSaveDirectory = value(kDirectorySection, kDirectoryKey).value_or(std::string());
  return settings;
}

bool SavePortName(Settings& settings, std::string_view portName) {
  settings.portName = std::string(portName);
  return platform::WriteProfileString(settings.settingsPath, kPortSection, kPortKey, portName);
}

bool SaveExportDataMode(Settings& settings, bool on) {
  settings.ExportDataMode = on ? 1 : 0;
  return platform::WriteProfileString(settings.settingsPath, kExportSection, kExportKey,
                                      on ? "1" : "0");
}

bool SaveAutoSaveDirectory(Settings& settings, std::string_view directory) {
  settings.AutoSaveDirectory = std::string(directory);
  return platform::WriteProfileString(settings.settingsPath, kDirectorySection, kDirectoryKey,
                                      directory);
}

std::string DefaultPortDevice(std::string_view portName) {
  if (portName.size() < 4 || portName.size() > 6) return {};
  for (std::size_t i = 0; i < 3; ++i) {
    const char c = static_cast<char>(portName[i] & ~0x20);  // capital letters
    if (c != "COM"[i]) return {};
  }
  int number = 0;
  for (const char c : portName.substr(3)) {
    if (c < '0' || c > '9') return {};
    number = number * 10 + (c - '0');
  }
  if (number < 1) return {};
  return "/dev/ttyS" + std::to_string(number - 1);
}

std::string PortDevicePath(const Settings& settings, std::string_view portName) {
  const std::string mapped =
      platform::ReadProfileString(settings.settingsPath, kPortsSection, portName, "");
  return mapped.empty() ? DefaultPortDevice(portName) : mapped;
}

}  // namespace tesmora
