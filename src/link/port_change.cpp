#include "link/port_change.h"

#include "link/link_timeouts.h"
#include "link/reader_thread.h"
#include "shell/message_table.h"
#include "shell/port_open_error.h"

namespace tesmora::link {

namespace {

// Opens `device` for the port name; a failure is said under that name.
bool OpenDevice(platform::SerialPort& port, const std::string& device, std::string_view portName,
                Prompter& prompter, const LanguageState& language) {
  if (!device.empty() && port.Open(device)) {
    port.SetReadTimeout(0);
    return true;
  }
  const int index = language.LanguageIndex;
  const platform::OpenError error = device.empty() ? platform::OpenError{} : port.LastOpenError();
  prompter.ShowMessage(MessageUtf8(msg::kError, index),
                       PortOpeningErrorText(portName, error, index), PromptIcon::Error,
                       language.MessageLanguageId);
  return false;
}

}  // namespace

bool OpenPort(platform::SerialPort& port, const Settings& settings, std::string_view portName,
              Prompter& prompter, const LanguageState& language) {
  return OpenDevice(port, PortDevicePath(settings, portName), portName, prompter, language);
}

bool DeviceMayArriveAt(std::string_view path) {
  if (path.empty() || path.starts_with("/dev/pts/")) return false;
  constexpr std::string_view kOnBoard = "/dev/ttyS";
  if (!path.starts_with(kOnBoard)) return true;
  const std::string_view number = path.substr(kOnBoard.size());
  return number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos;
}

bool ChangePort(TRead& link, const Settings& settings, std::string_view newName, Prompter& prompter,
                const LanguageState& language, std::string_view previousDevice) {
  const bool rebound = newName == settings.portName && !previousDevice.empty();
  if (newName == settings.portName && !rebound) return false;
  const std::string oldName = settings.portName;
  // The old name stands for the new device already when it was rebound.
  const std::string oldDevice =
      rebound ? std::string(previousDevice) : PortDevicePath(settings, oldName);
  bool opened = false;
  const bool ran = link.RunExclusive([&](platform::SerialPort& port) {
    port.Purge(true, true);
    port.Close();
    link.Pause(kPortReopenPauseMs);
    opened = OpenPort(port, settings, newName, prompter, language);
    if (!opened) OpenDevice(port, oldDevice, oldName, prompter, language);
    port.SetReadTimeout(0);
  });
  return ran && opened;
}

}  // namespace tesmora::link
