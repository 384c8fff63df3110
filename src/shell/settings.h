#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tesmora {

// "tesmora.ini" in the program directory keeps three settings between runs;
// each is written back alone at the moment the user changes it.
//
//   [LIAISON]     Port=COM1               serial port leading to the recorder
//   [EXPORT]      Mode=0                  export data mode, on when non-zero
//   [REPERTOIRE]  Sauvegarde Auto=/path/  where the recorder's pushes are stored
//   [PORTS]       COM3=/dev/ttyUSB0       optional: device path of a port name
inline constexpr std::string_view kSettingsFileName = "tesmora.ini";
inline constexpr std::string_view kDefaultPortName = "COM1";
inline constexpr std::size_t kMaxPortNameLength = 6;

struct Settings {
  std::string portName{kDefaultPortName};  // at most kMaxPortNameLength characters
  std::uint8_t ExportDataMode = 0;         // 0 off, 1 on
  std::string AutoSaveDirectory;           // ends with a separator, or empty
  std::string startupWorkingDirectory;     // only serves the first-run default above
  std::string settingsPath;
};

// Reads the settings file of `programDirectory`. When the file is missing or
// cannot be opened, the defaults are taken and written to it: COM1, export
// data mode off, and the working directory at start-up as the automatic save
// directory.
Settings LoadSettings(const std::string& programDirectory, const std::string& workingDirectory);

// Each save changes the value in memory and writes its one key. They return
// false when the file could not be written; the value in memory changes anyway.
bool SavePortName(Settings& settings, std::string_view portName);
bool SaveExportDataMode(Settings& settings, bool on);
bool SaveAutoSaveDirectory(Settings& settings, std::string_view directory);

// A port name as read from the file: a name longer than the port name field
// (or an empty one) is refused and gives COM1.
std::string AcceptPortName(std::string_view value);

// The device that a port name stands for: the [PORTS] entry of the settings
// file when it has one, else COMn -> /dev/ttyS(n-1). Empty for a name that is
// neither mapped nor of the form COMn.
std::string PortDevicePath(const Settings& settings, std::string_view portName);
std::string DefaultPortDevice(std::string_view portName);

}  // namespace tesmora
