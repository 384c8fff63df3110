#include "link/port_change.h"

#include "link/reader_thread.h"
#include "shell/message_table.h"

namespace tesmora::link {

namespace {
constexpr int kMessageOpeningError = 54;
constexpr int kMessageErrorCaption = 193;
}  // namespace

bool OpenPort(platform::SerialPort& port, const Settings& settings, std::string_view portName,
              Prompter& prompter, int languageIndex, std::uint16_t languageId) {
  const std::string device = PortDevicePath(settings, portName);
  if (!device.empty() && port.Open(device)) {
    port.SetReadTimeout(0);
    return true;
  }
  prompter.ShowMessage(
      MessageUtf8(kMessageErrorCaption, languageIndex),
      std::string(portName) + ". " + MessageUtf8(kMessageOpeningError, languageIndex),
      PromptIcon::Error, languageId);
  return false;
}

bool ChangePort(TRead& link, Settings& settings, std::string_view newName, Prompter& prompter,
                int languageIndex, std::uint16_t languageId) {
  if (newName == settings.portName) return false;
  const std::string oldName = settings.portName;
  bool opened = false;
  const bool ran = link.RunExclusive([&](platform::SerialPort& port) {
    port.Purge(true, true);
    port.Close();
    // Some adapters need a moment before a port is opened again.
    link.Pause(1000);
    opened = OpenPort(port, settings, newName, prompter, languageIndex, languageId);
    if (!opened) OpenPort(port, settings, oldName, prompter, languageIndex, languageId);
    port.SetReadTimeout(0);
  });
  if (!ran || !opened) return false;
  SavePortName(settings, newName);
  return true;
}

}  // namespace tesmora::link
