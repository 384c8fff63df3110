#include "link/port_change.h"

#include "link/link_timeouts.h"
#include "link/reader_thread.h"
#include "shell/message_table.h"
#include "shell/port_open_error.h"

namespace tesmora::link {

namespace {
constexpr int kMessageErrorCaption = 193;
}  // namespace

bool OpenPort(platform::SerialPort& port, const Settings& settings, std::string_view portName,
              Prompter& prompter, const LanguageState& language) {
  const std::string device = PortDevicePath(settings, portName);
  if (!device.empty() && port.Open(device)) {
    port.SetReadTimeout(0);
    return true;
  }
  const int index = language.LanguageIndex;
  const platform::OpenError error = device.empty() ? platform::OpenError{} : port.LastOpenError();
  prompter.ShowMessage(MessageUtf8(kMessageErrorCaption, index),
                       PortOpeningErrorText(portName, error, index), PromptIcon::Error,
                       language.MessageLanguageId);
  return false;
}

bool ChangePort(TRead& link, const Settings& settings, std::string_view newName, Prompter& prompter,
                const LanguageState& language) {
  if (newName == settings.portName) return false;
  const std::string oldName = settings.portName;
  bool opened = false;
  const bool ran = link.RunExclusive([&](platform::SerialPort& port) {
    port.Purge(true, true);
    port.Close();
    link.Pause(kPortReopenPauseMs);
    opened = OpenPort(port, settings, newName, prompter, language);
    if (!opened) OpenPort(port, settings, oldName, prompter, language);
    port.SetReadTimeout(0);
  });
  return ran && opened;
}

}  // namespace tesmora::link
